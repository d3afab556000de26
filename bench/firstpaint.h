#pragma once

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

// Start-up probe shared by the viewer and the bare Qt program it is measured
// against: once the window's first paint has been flushed, prints the
// monotonic clock and the resident memory, then ends the program.
class FirstPaintProbe : public QObject
{
public:
    explicit FirstPaintProbe(QWidget &window)
        : QObject(&window)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
            m_seen = true;
            // The backing store is flushed once every widget of the frame has
            // painted; a zero timer runs after that.
            QTimer::singleShot(0, this, &FirstPaintProbe::report);
        }
        return false;
    }

private:
    void report()
    {
        // The steady clock is the system's monotonic clock, which the
        // measuring script reads too.
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first_paint_ns=%lld rss_kb=%lld\n",
            static_cast<long long>(std::chrono::nanoseconds(now).count()), residentKiB());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    static long long residentKiB()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
        return -1;
    }

    bool m_seen = false;
};
