#pragma once

// With ORVANE_SCREENSHOTS=DIR set, screen tests save a PNG of each window they open into DIR.

#include <QDir>
#include <QString>
#include <QWidget>

inline void orvScreenshot(QWidget *w, const QString &name)
{
    const QString dir = qEnvironmentVariable("ORVANE_SCREENSHOTS");
    if (dir.isEmpty() || !w)
        return;
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}
