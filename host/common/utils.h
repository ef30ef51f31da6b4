#pragma once

#include <QString>

namespace Orvane {

class Utils {
public:
    // True when the directory exists afterwards, creating missing parents.
    static bool createDirectory(const QString &path);
};

} // namespace Orvane
