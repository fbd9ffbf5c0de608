// The track lists the grid's fields take are the ones the preview's
// engine takes.
#include "../support/page_script.h"

#include "core/panels/grid_tracks.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace {

// For each value: whether the engine takes it for grid-template-columns.
const char *const kSupports = R"(
(values => values.map(v => CSS.supports('grid-template-columns', v)))
)";

TEST(GridTracksEngine, TheTrackCheckTakesWhatTheEngineTakes)
{
    const QStringList values = {
        "none", "1fr 200px", "[full] minmax(0, 1fr) [end]", "repeat(auto-fill, minmax(120px, 1fr))",
        "repeat(3, [col] 1fr)", "fit-content(40%) auto", "min-content max-content", "calc(100% - 2rem) 1fr", "0 10%",
        "repeat(auto-fill, 200px) 1fr", "repeat(auto-fill, minmax(200px, 1fr)) 1fr",
        "repeat(auto-fill, minmax(200px, 1fr)) 200px", "100px repeat(auto-fit, 10rem) minmax(10px, 1fr)",
        "repeat(auto-fill, 10px) repeat(auto-fit, 10px)", "repeat(auto-fill, 1fr)", "repeat(auto-fill, auto)",
        "repeat(2, auto) repeat(auto-fill, 10px)", "repeat(2, 10px) repeat(auto-fill, 10px)",
        "minmax(1fr, 2fr)", "minmax(auto, 1fr)", "minmax(min-content, 100px)", "fit-content(1fr)", "[a] [b] 1fr",
        "[a b] 1fr [c]", "1fr banana", "red", "repeat(0, 1fr)", "[a]", "repeat(auto-fill)", "-1px", "span 2",
        "1.5fr .5fr", "2 3", "auto auto", "[span] 1fr", "repeat(2, [a] 1fr [b])", "repeat(auto-fill, [a] 10px [b])",
        "1fr repeat(2, minmax(0, 1fr))", "1fr /", "10px, 20px",
    };
    QJsonArray input;
    for (const QString &v : values)
        input.append(v);
    const QVariantList engine = judgeInBlankPage(kSupports, input);
    ASSERT_EQ(engine.size(), values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        EXPECT_EQ(isGridTrackList(values[i].toUtf8()), engine[i].toBool()) << values[i].toStdString();
}

} // namespace
