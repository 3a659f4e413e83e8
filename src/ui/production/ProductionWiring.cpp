#include "ProductionWiring.h"

#include "ProductionStart.h"
#include "QualityWindow.h"
#include "app/MainWindow.h"

namespace lumora::ui {

void attachProductionWindows(MainWindow &main, AlbumSession &session, DialogService &dialogs)
{
    auto *start = new ProductionStart(session, dialogs, &main);
    for (OutputType type : {OutputType::VCD, OutputType::SVCD, OutputType::DVD, OutputType::AVI, OutputType::WMV,
                            OutputType::MP4, OutputType::MOV})
        main.enableCommand(QStringLiteral("Button_zhizuo_") + outputTypeName(type),
                           [start, type] { start->start(type); });

    auto *quality = new QualityWindow(session, &main);
    quality->setWindowModality(Qt::WindowModal);
    main.enableCommand(QStringLiteral("Button_huamian_zhiliang"), [quality] { quality->open(); });
}

} // namespace lumora::ui
