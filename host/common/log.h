#pragma once

#include <QLoggingCategory>

namespace Orvane {

class Log {
public:
    // The category of every warning of the framework and its plugins.
    static const QLoggingCategory &Core();
};

} // namespace Orvane
