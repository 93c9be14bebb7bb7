#pragma once

#include "app/dialogs/TimerClock.h"
#include "comm/DownloadInputs.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace dispcraft {

class DownloadSession;
class MainWindow;
class Prompts;
class SerialPort;
class SettingsFile;
class Transport;
struct SerialDevice;
struct BuiltImage;

// The download dialog over a DownloadSession: the port list, Download, System program, Stop,
// Cancel, the clock box (generation 2), the status text, the progress bar and the transfer log.
// Controls carry their IDs as object names ("ctl1002").
//
// Replies arrive on the port's I/O thread; a queued signal hands them to the session on the
// dialog's thread. The session goes first when the dialog goes, which stops the port's I/O, so
// no job touches the dialog after it closed.
class DownloadDialog : public QDialog {
    Q_OBJECT
public:
    enum Control {
        kLog = 1001,
        kDownload = 1002,
        kPortList = 1003,
        kProgress = 1004,
        kSystemProgram = 1008,
        kStatus = 1010,
        kClockBox = 1159,
        kCancel = 2,
        kStop = 3,
    };
    // Our own texts of the dialog.
    enum Strings : int {
        kPortLabel = 65730,
        kDownloadButton = 65731,
        kSystemProgramButton = 65732,
        kStopButton = 65733,
        kClockBoxText = 65734,
        kStatusLabel = 65735,
        kLogLabel = 65736,
        kAdapterEntry = 65737, // "%s (%s)": device and the adapter's product name
        kNoPorts = 65738,      // the list is empty
        kVirtualPanel = 65739, // "Virtual panel (%s)"
    };

    // transport: the device under the session; null = a serial port on the chosen device.
    // settings: where the chosen device is remembered (none: for this run only).
    DownloadDialog(DownloadInputs inputs, Prompts& prompts, QWidget* parent = nullptr,
                   std::unique_ptr<Transport> transport = nullptr,
                   const SettingsFile* settings = nullptr);
    ~DownloadDialog() override;

    DownloadSession& session() { return *m_session; }
    // Shows the dialog modal until Cancel or its close box.
    int run();

    // What the build hands over: the build's notes, then the dialog for the image, or the
    // missing start screen instead.
    static void afterBuild(MainWindow& main, const BuiltImage& built);

    // How the port list names a device: "ttyS0", "ttyUSB0 (FT232R USB UART)", "Virtual panel
    // (pts/3)".
    static QString portLabel(const SerialDevice& device);
    // The build's line above the port ("Built qelsoft.qel: ..."), with its notes under it.
    void setBuildSummary(const QString& summary, const QStringList& notes);
    // The device the port field names: a listed entry, or a typed path or device name
    // ("/dev/ttyUSB1", "ttyUSB1"); empty when the field is empty.
    QString chosenDevice() const;

signals:
    // Emitted on the port's I/O thread after a reply was queued.
    void repliesQueued();

public slots:
    // Cancel and the close box: the cancel flag, then the dialog closes.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void handleReplies();
    void showState();
    void systemProgram();
    void fillPorts();
    // Hands the chosen device to the port and the session and remembers it; false (with a
    // message) when no device is named.
    bool takePort();

    Prompts& m_prompts;
    const SettingsFile* m_settings = nullptr;
    SerialPort* m_serial = nullptr; // the session's transport when it is ours
    TimerClock m_clock; // outlives the session, which stops its timer when it goes
    std::unique_ptr<DownloadSession> m_session;
    bool m_handling = false;
    bool m_pending = false;
    QLabel* m_built = nullptr;
    QComboBox* m_ports = nullptr;
    QPushButton* m_download = nullptr;
    QPushButton* m_system = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_cancel = nullptr;
    QCheckBox* m_clockBox = nullptr;
    QLineEdit* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPlainTextEdit* m_log = nullptr;
    int m_shownLogLines = -1;
};

} // namespace dispcraft
