// Built into a program without the history windows linked in: one holding
// both its own copy and the module's would have every window class twice.
#include "history/history_viewer.h"

#include <QPluginLoader>
#include <gtest/gtest.h>

TEST(HistoryModule, TheWindowModuleLoadsAndGivesAViewer)
{
    QPluginLoader loader(QStringLiteral(TAZUMEKI_HISTORY_MODULE));
    EXPECT_NE(qobject_cast<HistoryViewer*>(loader.instance()), nullptr) << loader.errorString().toStdString();
}
