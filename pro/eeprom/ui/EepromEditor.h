#pragma once
// What the three EEPROM editors share. They change the page's decoded settings in
// memory only: "Apply Setting" stores every field and closes, or, when a field cannot
// be stored, says which and stays open with nothing stored. Closing the editor any
// other way drops what was typed.

#include <optional>

#include <QHash>
#include <QString>

#include "pro/eeprom/EepromProblem.h"
#include "ui/ChildDialog.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {

class EepromEditor : public ChildDialog {
    Q_OBJECT
public:
    ~EepromEditor() override;

protected:
    struct Row final {
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
        QLabel* unit = nullptr;
        void setEnabled(bool enabled) const;
    };

    EepromEditor(AppContext& context, QWidget* parent, const char* objectName, const char* title);

    // Stores the fields into the settings, or answers why not; then nothing is stored.
    virtual std::optional<EepromProblem> store() = 0;

    // A row of label "<field>:", edit box "<name>Edit" and the unit after it; a problem
    // naming `field` puts the cursor into this edit box.
    Row addField(QGridLayout* grid, const char* name, const char* field, const char* unit = "");
    QComboBox* addList(QGridLayout* grid, const char* name, const char* field);
    // "Apply Setting", pressed by Enter.
    QPushButton* makeApplyButton();

private:
    void applySetting();

    QHash<QString, QWidget*> m_fields;
};

} // namespace kx
