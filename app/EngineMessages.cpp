#include "EngineMessages.h"

namespace app {

EngineMessage missingEngineMessage(const QString& engineFile, const QString& makerSite) {
    const QString address = makerSite + QStringLiteral("/bofangqi/") + engineFile;
    return {QStringLiteral("由于缺少%1文件，程序启动失败！\r\n\r\n如%1文件丢失可点击下载（链接%2）"
                           "放到同一目录中即可运行。\r\n")
                .arg(engineFile, address),
            QStringLiteral("TARVO提醒您！")};
}

EngineMessage wrongEngineVersionMessage(const QString& engineFile) {
    return {QStringLiteral("%1 version 2.2 not found!").arg(engineFile),
            QStringLiteral("DLL文件的版本不匹配！")};
}

} // namespace app
