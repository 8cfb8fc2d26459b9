// SPDX-License-Identifier: GPL-3.0-or-later
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
    case CloseReason::MadeRoom:
        return {"made room", "made_room"};
    }
    return {"left", "left"};
}
ReasonNames namesOf(HeldDrop reason) {
    switch (reason) {
    case HeldDrop::Deadline:
        return {"deadline", "deadline"};
    case HeldDrop::PeerGone:
        return {"peer gone", "peer_gone"};
    case HeldDrop::ListFull:
        return {"list full", "list_full"};
    }
    return {"deadline", "deadline"};
}
} // namespace

std::string_view closeReasonText(CloseReason reason) {
    return namesOf(reason).text;
}

std::string_view closeReasonLabel(CloseReason reason) {
    return namesOf(reason).label;
}

std::string_view heldDropText(HeldDrop reason) {
    return namesOf(reason).text;
}

std::string_view heldDropLabel(HeldDrop reason) {
    return namesOf(reason).label;
}

} // namespace core
