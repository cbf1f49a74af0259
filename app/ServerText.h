#pragma once

#include <QByteArray>
#include <QString>

namespace app {

// The text shown for bytes the maker's server sent: what comes before the first zero byte,
// read as UTF-8 when it is valid UTF-8 (a leading byte-order mark dropped), else as GBK, the
// encoding the player's texts have always had. Chinese GBK text is valid UTF-8 only by rare
// accident, so the test tells the two apart; plain ASCII reads the same either way.
QString serverText(const QByteArray& bytes);

} // namespace app
