#pragma once

#include <QString>

class QLabel;
class QWidget;

// Tells a screen reader what a button did, without moving the focus and with
// nothing new to see: a hidden label that screen readers know as a
// notification (on Windows, a UI Automation notification from the window).
// Each announcement is read, the same text again included.
class Announcer {
  public:
    explicit Announcer(QWidget* window);

    void WeightShown(const QString& weight);  // "204.19 pounds"
    void ResultStored(int stored);            // "Result stored, 2 results"
    void ResultRemoved(int left);             // "Result removed, 1 result left"
    void FieldsCleared();
    void LineSelected(const QString& line, const QString& place);  // "..., 1 of 2, selected"
    // The fields a new form shows, in order, with what they hold: "Thickness
    // 2 inches, Width empty, Length empty". Said after the form list has said
    // its new entry.
    void FieldsShown(const QString& words);
    // A finished print: "Report printed, 2 pages, to report.pdf" for a file
    // (its name without the folder), "Report sent to Office, 1 page" for a
    // printer queue.
    void ReportPrinted(int pages, const QString& file, const QString& queue);
    void PrintingCancelled();
    // A note the print dialog shows as it changes (a silent print server).
    void DialogNote(const QString& text);

    // Makes screen readers see the announcer's label as a notification.
    static void InstallAccessibility();

  private:
    void Say(const QString& text);
    void SayAfterDialog(const QString& text);
    void Show();
    QLabel* label_;
};
