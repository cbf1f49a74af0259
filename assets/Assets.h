// The skin pictures, embedded as Qt resources under :/skin/ (paths as in assets/pictures.tsv).
#pragma once

#include <QByteArray>
#include <QString>

namespace tarvo::assets {

// The resource path of a picture, e.g. path("main/play-1.jpg") is ":/skin/main/play-1.jpg".
QString path(const QString& picture);

// The picture file's bytes; empty when there is no such picture.
QByteArray bytes(const QString& picture);

} // namespace tarvo::assets
