#pragma once

#include <QXmlStreamReader>

// The document readers recurse once per nested element; a hostile document must not
// exhaust the stack. Past the limit the reader stops with an error, which the readers
// already report as a parse error.
class NestingGuard {
public:
    explicit NestingGuard(QXmlStreamReader &reader, int limit = 256) {
        if (++depth() > limit && !reader.hasError())
            reader.raiseError(QStringLiteral("elements nested too deeply"));
    }
    ~NestingGuard() { --depth(); }
    NestingGuard(const NestingGuard &) = delete;
    NestingGuard &operator=(const NestingGuard &) = delete;

private:
    static int &depth() {
        static thread_local int value = 0;
        return value;
    }
};
