#pragma once

#include "base/Message.h"

namespace dispcraft {

// The first button is the default, except where a question would destroy something on a bare
// Enter: those default to No or Cancel.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo, OkCancelDefaultCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { None, Information, Warning, Stop, Question };

// Where core operations show messages and ask questions along the way. The GUI shows message
// boxes; the command line prints and answers from its options; tests record and script.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const Message& message, Icon icon = Icon::None) = 0;
    // caption: a language string number, 0 for the program's default caption.
    virtual Answer ask(const Message& message, Buttons buttons, int caption = 0) = 0;
};

} // namespace dispcraft
