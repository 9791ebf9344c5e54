#include "log.h"

#include <cstdio>

namespace {
Log::Sink& sink()
{
    static Log::Sink instance;
    return instance;
}
} // namespace

void Log::line(const QString& text)
{
    if (sink()) {
        sink()(text);
        return;
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Log::setSink(Sink newSink)
{
    sink() = std::move(newSink);
}
