#pragma once
// "DBG Command": a small console for PHY registers, MAC registers (chip memory on the
// newer chip) and the EEPROM image. Every command appends its transcript to the output
// window; nothing clears it while the sheet is open.

#include <QWidget>

#include "pro/console/DebugConsole.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace kx {

struct AppContext;
struct RowSpec;

class CPropertyDbgCmd final : public QWidget {
    Q_OBJECT
public:
    CPropertyDbgCmd(AppContext& context, QWidget* parent);

private:
    struct Row {
        QLineEdit* first = nullptr; // register number or address
        QLineEdit* data = nullptr;
        QPushButton* read = nullptr;
        QPushButton* write = nullptr;
    };

    Row buildRow(QVBoxLayout* rows, const RowSpec& shape);
    DebugConsole::Fields fields() const;
    // At the end of the transcript, whatever the user did to the caret.
    void append(const QString& text);

    AppContext& m_ctx;
    DebugConsole m_console;
    Row m_phy;
    Row m_mac;
    QCheckBox* m_oldDebugMode = nullptr;
    QPlainTextEdit* m_output = nullptr;
};

} // namespace kx
