#pragma once

#include "common/log.h"

#include <QDebug>
#include <QMessageLogger>

// Starts a warning on the host's category: "Where::what: " then the streamed pieces,
// unquoted and without spaces between them. Nothing is composed when the category
// has warnings disabled.
#define ORV_WARNING(where)                                                                         \
    if (!Orvane::Log::Core().isWarningEnabled()) {                                                 \
    } else                                                                                         \
        QMessageLogger(nullptr, 0, nullptr).warning(Orvane::Log::Core()).noquote().nospace()       \
            << where << ": "
