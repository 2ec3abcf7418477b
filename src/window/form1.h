#pragma once

// The calculator's one window.
//
// Form1 owns every control, the three reference tables copied from the
// catalogue at start-up, and the handlers. The handlers are thin: each calls
// one method, and the methods gather a plain snapshot of the controls, hand it
// to the Qt-free core (catalogue/, calc/, results/) and show what comes back.
// Everything that leaves the window (message boxes, the print dialog and
// printer, the browser) goes through the Platform interfaces, so tests can
// drive the real widgets with doubles in place of the desktop.
//
// Controls are created from one table (form1_controls.cpp) that reads like the
// designed layout: name, container, design text, geometry in twips, tab place
// and font. Every control's objectName is its name ("txtParam(0)" for array
// elements). What makes the window usable by keyboard and screen reader (link
// labels, a results list with visible focus, drop-down lists that ignore a
// stray wheel, names and descriptions) lives in small widget classes and in
// UpdateAccessibleNames, not in the handlers.

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/platform.h"
#include "results/result_line.h"

class QComboBox;
class Frame;
class QLabel;
class QLineEdit;
class QPushButton;
class LinkLabel;
class ResultsList;
class Announcer;
namespace calc {
struct PressOutcome;
}

// The desktop's own message boxes, print dialog and browser.
Platform QtPlatform();

class Form1 : public QWidget {
    Q_OBJECT
  public:
    Form1();  // with the real Qt platform
    explicit Form1(Platform platform, QWidget* parent = nullptr);
    ~Form1() override;

    static constexpr int kSlots = 5;

  protected:
    bool event(QEvent* event) override;

  private:
    struct ControlRow;
    void CreateControls();
    void ConnectHandlers();
    void ConnectResultShortcuts();
    void SetUpKeyboardAndReaders();
    void ShowFullAlloyName();
    void SetCaption(QLabel* label, const QString& text);
    void UpdateAccessibleNames();
    char DecimalSeparator() const;

    // Start-up and reference tables.
    void Form_Load();
    void InitUnits();
    void InitAlloys();
    void InitShapes();

    // Methods the handlers call.
    std::int16_t GetShapeID() const;
    void ChangeFields();
    void CalculateWeight();
    void GenerateError(const std::int16_t& intFieldCount);
    void FocusNamedField(const calc::PressOutcome& outcome);
    void ClearFields();
    results::StoreSnapshot TakeStoreSnapshot() const;
    void StoreResult();
    void RemoveResult();
    void PrintResults();
    void CopySelectedResult();
    void OpenLink(const QString& address);

    // Handlers.
    void cmbShapes_Click();
    void cmdCalculate_Click();
    void txtResult_Change();
    void cmdClearFields_Click();
    void cmdExit_Click();
    void cmdStoreResult_Click();
    void cmdDeleteResult_Click();
    void cmdPrint_Click();
    void lblCompURL_Click();
    void lblAuthorInfo2_Click();

    Platform platform_;
    std::unique_ptr<BrowserWindow> browserWindow_;  // shared by both links, made on first click
    std::unique_ptr<Announcer> announcer_;          // what a button did, for screen readers
    std::optional<results::LastCalculation> lastCalculation_;  // as Calculate left the window

    // Reference tables, filled once by the Init methods.
    std::array<QString, 8> strUnits;
    std::array<std::array<QString, 3>, 48> strAlloys;
    std::array<QString, 24> strShapes;

    // Controls.
    Frame* Frame1 = nullptr;
    Frame* Frame2 = nullptr;
    Frame* Frame3 = nullptr;
    Frame* Frame4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* cmbAlloy = nullptr;
    QComboBox* cmbShapes = nullptr;
    std::array<QLabel*, kSlots> lblParam{};
    std::array<QLineEdit*, kSlots> txtParam{};
    std::array<QComboBox*, kSlots> cmbUnits{};
    QLineEdit* txtNumPieces = nullptr;
    QLineEdit* txtResult = nullptr;
    QPushButton* cmdCalculate = nullptr;
    QPushButton* cmdClearFields = nullptr;
    ResultsList* lstResults = nullptr;
    QPushButton* cmdStoreResult = nullptr;
    QPushButton* cmdDeleteResult = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblInfo = nullptr;
    LinkLabel* lblCompURL = nullptr;
    QLabel* lblAuthorInfo = nullptr;
    LinkLabel* lblAuthorInfo2 = nullptr;
    QLabel* Disclaimer = nullptr;
    PrintDialogService* CommonDialogPrint = nullptr;  // no widget of its own
};
