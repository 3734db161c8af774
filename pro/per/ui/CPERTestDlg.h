#pragma once
// "PER Test (MAC Tally Receive)": counts the frames a separate transmitter sends by
// comparing the adapter's receive counters, every 125 ms, with those at START. The
// adapter is in sensitivity-test mode while the dialog is open; the options the user
// left are shown again next time.

#include <array>
#include <optional>

#include <QTimer>

#include "pro/per/PerReceiver.h"
#include "pro/per/PerTestRun.h"
#include "ui/ChildDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {

class CPERTestDlg final : public ChildDialog {
    Q_OBJECT
public:
    CPERTestDlg(AppContext& context, QWidget* parent);
    ~CPERTestDlg() override;

    // One tick of the test's timer (tests call it directly).
    void timerTick();
    bool timerActive() const { return m_timer.isActive(); }

private:
    enum Result { Received, Lost, Time, ErrorRate, Throughput, kResults };

    void buildLayout();
    void loadOptions();
    void storeOptions() const;
    void keepOneTypeChecked(QCheckBox* unchecked, QCheckBox* other);
    void onStartStop();
    void start();
    void stop();
    void finish(const PerFigures& figures);
    void showFrame(int icon);

    std::optional<PerReceiver> m_receiver;
    PerTestRun m_run;
    QTimer m_timer;

    QCheckBox* m_unicast = nullptr;
    QCheckBox* m_multicast = nullptr;
    QLineEdit* m_expected = nullptr;
    QCheckBox* m_portCheck = nullptr;
    QLineEdit* m_port = nullptr;
    std::array<QLineEdit*, kResults> m_results{};
    QPushButton* m_startStop = nullptr;
    QLabel* m_animation = nullptr;
};

} // namespace kx
