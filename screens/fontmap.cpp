#include "screens/fontmap.h"

#include <QFontDatabase>

#include <algorithm>

namespace orv {

QString mapFontFace(const QString &face)
{
    const QStringList families = QFontDatabase::families();
    if (families.contains(face))
        return face;
    const QString f = face.normalized(QString::NormalizationForm_KC).toLower(); // "ＭＳ Ｐ" -> "ms p"
    const bool mincho = f.contains("明朝") || f.contains("mincho") || f.contains("serif");
    const bool proportional = f.contains(" p") || f.startsWith("p") || f.contains("pゴシック") ||
                              f.contains("p明朝") || f.contains("ui") || f.contains("メイリオ") ||
                              f.contains("meiryo");
    QString target = mincho ? (proportional ? "IPAPMincho" : "IPAMincho")
                            : (proportional ? "IPAPGothic" : "IPAGothic");
    if (families.contains(target))
        return target;
    // The fixed-pitch face when only that one is installed.
    QString fixed = mincho ? "IPAMincho" : "IPAGothic";
    return families.contains(fixed) ? fixed : face;
}

QFont mappedFont(const QString &face, double pointSize)
{
    QFont font(mapFontFace(face));
    font.setPointSizeF(pointSize);
    return font;
}

QStringList installedJapaneseFaces()
{
    QStringList out;
    for (const QString &f : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (f.startsWith('@') || !QFontDatabase::isScalable(f))
            continue;
        out << f;
    }
    std::sort(out.begin(), out.end());
    out.removeDuplicates();
    return out;
}

} // namespace orv
