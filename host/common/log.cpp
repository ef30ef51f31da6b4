#include "log.h"

namespace Orvane {

const QLoggingCategory &Log::Core() {
    static const QLoggingCategory category("orvane.core");
    return category;
}

} // namespace Orvane
