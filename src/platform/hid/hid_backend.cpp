#include "platform/hid/hid_backend.h"

namespace zep {

std::string_view HidStatusName(HidStatus status) {
    switch (status) {
        case HidStatus::Ok:
            return "ok";
        case HidStatus::NotFound:
            return "not found";
        case HidStatus::PermissionDenied:
            return "permission denied";
        case HidStatus::Removed:
            return "device removed";
        case HidStatus::Interrupted:
            return "interrupted";
        case HidStatus::BadLength:
            return "bad report length";
        case HidStatus::IoError:
            return "i/o error";
    }
    return "unknown";
}

}  // namespace zep
