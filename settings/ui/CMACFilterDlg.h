#pragma once
// The access point's MAC address filter: the filter type, sent when chosen, and sixteen
// addresses, sent together by "Apply". Every change sent is followed by the SSID, which
// is how the access-point firmware takes it up. Nothing is recorded in the registry.

#include <array>

#include "settings/MacFilterTable.h"
#include "ui/ChildDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {

class CMACFilterDlg final : public ChildDialog {
    Q_OBJECT
public:
    explicit CMACFilterDlg(AppContext& context, QWidget* parent = nullptr);
    ~CMACFilterDlg() override;

private:
    void buildLayout();
    void readFilter();
    void onFilterTypeChosen(int position);
    void onApply();
    // Whether the boxes may replace the adapter's table: asked while it was never read.
    bool replaceUnreadTable();
    QStringList entryTexts() const;

    // False while the boxes show no table the adapter gave us.
    bool m_tableRead = false;

    QComboBox* m_filterTypeList = nullptr;
    std::array<QLineEdit*, MacFilterTable::kEntries> m_entryEdits{};
    QLabel* m_unreadNotice = nullptr;
    QPushButton* m_applyButton = nullptr;
};

} // namespace kx
