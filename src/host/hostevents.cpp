#include "host/hostevents.h"

namespace core {

namespace {
struct ReasonNames {
    std::string_view text;
    std::string_view label;
};
ReasonNames namesOf(CloseReason reason) {
    switch (reason) {
    case CloseReason::Left:
        return {"left", "left"};
    case CloseReason::Kicked:
        return {"kicked", "kicked"};
    case CloseReason::UnterminatedMessage:
        return {"unterminated message", "unterminated_message"};
    case CloseReason::Queue:
        return {"queue", "queue"};
    case CloseReason::UnsentOutput:
        return {"unsent output", "unsent_output"};
    case CloseReason::LoginDeadline:
        return {"login deadline", "login_deadline"};
    case CloseReason::Shutdown:
        return {"shutdown", "shutdown"};
    }
    return {"left", "left"};
}
} // namespace

std::string_view closeReasonText(CloseReason reason) {
    return namesOf(reason).text;
}

std::string_view closeReasonLabel(CloseReason reason) {
    return namesOf(reason).label;
}

} // namespace core
