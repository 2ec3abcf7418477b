#pragma once

#include <QLabel>

// A web link: a label that opens its address on a left click, or on Return or
// Space when it has keyboard focus. It shows a focus ring, names its address
// in a tooltip, and is announced to screen readers as a link with a press
// action. Its text keeps the designed dark blue wherever that is readable on
// the window's background, and takes the palette's link colour where it is
// not (a dark desktop theme).
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(QWidget* parent = nullptr);

    // The address the link opens, shown as its tooltip.
    void SetAddress(const QString& address);

    // Makes screen readers see every LinkLabel as a link.
    static void InstallAccessibility();

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void UpdateColour();
    bool updatingColour_ = false;
};
