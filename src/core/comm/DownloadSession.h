#pragma once

#include "comm/Clock.h"
#include "comm/CommPort.h"
#include "comm/DownloadInputs.h"
#include "comm/ReplyQueue.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// Which controls of the download dialog are enabled.
struct DownloadControls {
    bool download = true;      // start a project download
    bool portList = true;      // choose the port
    bool systemProgram = true; // start a system-program download
    bool stop = false;         // only while a project transfer runs: there is nothing to stop else
    bool cancel = true;
    bool clockBox = false; // set the panel clock afterwards (generation 2 only)
    bool operator==(const DownloadControls&) const = default;
};

// How the last transfer ended.
enum class DownloadOutcome {
    None,        // no transfer yet
    Running,
    Finished,    // everything went through (and the clock was set when asked)
    Failed,      // refused, no answer, a file error: a message or log line says which
    Cancelled,   // Stop or Cancel, honoured at the next reply
    ClockNotSet, // the data went through but the panel never accepted the clock
};

// The download dialog without its widgets: the port choice, the two kinds of download over both
// protocol generations, the transfer log, the status text, the progress and the enable state of
// every control. The owner (the dialog, the command line, a test) calls the user actions and
// handleReplies() on one thread, the session's thread.
//
// Replies come from the port's I/O thread: the reply notifier is called there after each reply
// is queued, and the owner must then call handleReplies() on the session's thread (the GUI turns
// the notifier into a queued signal). Timers come through the Clock, whose callbacks also run on
// the session's thread. The change listener is called on the session's thread whenever the
// shown fields change. Destroying the session (closing the dialog) stops the port's I/O: no
// job touches the session or calls the notifier afterwards.
class DownloadSession {
public:
    using FileChooser = std::function<std::optional<std::string>(const Message& filter)>;

    // Message and log strings of the download.
    enum Strings : int {
        kLogClockNotSet = 65400, // the data went through but the clock was not set
    };
    static constexpr int kSystemProgramExtra = 2048; // added to the progress range (generation 2)
    static constexpr int kBriefPauseMs = 50;          // lets RTS settle before the port closes

    DownloadSession(DownloadInputs inputs, std::unique_ptr<Transport> transport, Clock& clock,
                    MessageSink& sink, CommPort::Jobs jobs = CommPort::Jobs::Threaded);
    ~DownloadSession();
    DownloadSession(const DownloadSession&) = delete;
    DownloadSession& operator=(const DownloadSession&) = delete;

    void setReplyNotifier(std::function<void()> notifier) { m_notifier = std::move(notifier); }
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }

    // The port list: index 0 = port number 1. The choice is remembered for the whole process
    // and preselected by the next session.
    int portIndex() const { return m_portIndex; }
    void selectPort(int index);
    static int rememberedPortIndex();
    // How messages name the port ("ttyUSB0", "Virtual panel (pts/3)"); empty = "COM" and the
    // port number.
    void setPortName(std::string name) { m_portName = std::move(name); }
    std::string portName() const;

    bool clockChecked() const { return m_clockChecked; }
    void setClockChecked(bool on) { m_clockChecked = on; }

    // The user actions.
    void download();
    // Asks through the sink (61489, then 61492 with the path) and takes the file from chooser,
    // which gets the filter text (string 61491) and returns the chosen path or nothing.
    void downloadSystemProgram(const FileChooser& chooser);
    void stop();
    // Cancel or closing the window: the owner closes the dialog (destroys the session) after it.
    void cancel();

    // The handler of queued replies.
    void handleReplies();

    // What the dialog shows.
    const std::vector<Message>& log() const { return m_log; }
    const Message& statusText() const { return m_status; }
    int progressMin() const { return m_progressMin; }
    int progressMax() const { return m_progressMax; }
    int progressPosition() const { return m_progressPos; }
    DownloadControls controls() const { return m_controls; }
    bool transferring() const { return m_transferring; }
    DownloadOutcome outcome() const { return m_outcome; }

    const DownloadInputs& inputs() const { return m_inputs; }
    int generation() const { return m_inputs.generation(); }
    int expectedFileType() const { return m_expectedType; }
    const std::string& currentFile() const { return m_currentFile; }
    const DriverPaths& activeDrivers() const { return m_drivers; }

private:
    enum class Build { Built, NothingLeft, Error };

    int portNumber() const { return m_portIndex + 1; }
    void changed();
    void appendLog(int id);
    void appendLog(Message line);
    void setRange(int max);
    void setPosition(int pos);
    void showFailure(const Message& m);
    void showWithCaption(const Message& m, int caption);

    bool projectLengths(const DriverPaths& drivers, int* sum);
    void startTransfer(bool systemProgram);
    void finish(DownloadOutcome outcome);
    void fail(const Message& m);
    void pulseRts();

    void exchange(size_t nWrite, size_t nRead, int tag);
    void sendHandshake();
    void onHandshake(const Reply& r);

    // Generation 1.
    void gen1Timer();
    bool gen1BuildPacket();
    void gen1OnData(const Reply& r);
    void gen1OnEnd();

    // Generation 2.
    void gen2AfterWait();
    Build gen2BuildPacket();
    void gen2OnData(const Reply& r);
    void gen2OnClock(const Reply& r);
    void gen2Completed();

    DownloadInputs m_inputs;
    Clock& m_clock;
    MessageSink& m_sink;
    ReplyQueue m_queue;
    CommPort m_port;
    std::function<void()> m_notifier;
    std::function<void()> m_listener;

    // Fields of the dialog.
    int m_portIndex = 0;
    std::string m_portName;
    bool m_clockChecked = false;
    bool m_clockForTransfer = false;
    std::vector<Message> m_log;
    Message m_status;
    int m_progressMin = 0;
    int m_progressMax = 100;
    int m_progressPos = 0;
    DownloadControls m_controls;
    std::string m_currentFile;

    // The transfer.
    bool m_transferring = false;
    DownloadOutcome m_outcome = DownloadOutcome::None;
    std::array<uint8_t, 200> m_tx{};
    size_t m_txSize = 0;
    uint16_t m_packetCounter = 0;
    uint8_t m_slot = 0;
    int32_t m_blockInFile = 0;
    int32_t m_noAnswer = 0;
    int32_t m_refusals = 0;
    bool m_lastPacket = false;
    bool m_systemProgram = false;
    int32_t m_expectedType = 1;
    bool m_cancel = false;
    DriverPaths m_drivers;
};

} // namespace dispcraft
