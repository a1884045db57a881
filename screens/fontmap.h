#pragma once

// The settings name fonts by their Windows face names ("ＭＳ 明朝", "ＭＳ ゴシック",
// "ＭＳ Ｐゴシック" …). Wherever text is shown or drawn they are mapped to installed Japanese
// faces: mincho faces to IPA Mincho, gothic faces to IPA Gothic, their proportional ("Ｐ")
// variants to IPA P Mincho / IPA P Gothic. A face that is installed is used as it is.

#include <QFont>
#include <QString>
#include <QStringList>

namespace orv {

// The installed face to use for a face name of the settings.
QString mapFontFace(const QString &face);
// That face at a point size.
QFont mappedFont(const QString &face, double pointSize);
// Installed families that can write Japanese, without the vertical-writing "@" variants,
// in alphabetical order.
QStringList installedJapaneseFaces();

} // namespace orv
