// Movie documents: malformed input gives a message naming the line or the
// field, never a crash.
#include <gtest/gtest.h>

#include "MovieFixtures.h"
#include "app/Error.h"
#include "playback/MovieDocument.h"

using namespace lumora;

namespace {

QString errorOf(const QByteArray &doc)
{
    try {
        parseMovieDocument(doc, QStringLiteral("m.swf"));
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}

QByteArray withLayer(const char *layer)
{
    return QByteArray(R"({"lumoraMovie":1,"stage":[100,50],"frames":10,"layers":[)") + layer + "]}";
}

} // namespace

TEST(MovieDocument, ParsesTheFixture)
{
    const MovieDocument d = parseMovieDocument(test::templateMovie(100), QStringLiteral("m"));
    EXPECT_EQ(d.frames, 100);
    EXPECT_EQ(d.stage, QSize(160, 90));
    ASSERT_EQ(d.layers.size(), 1u);
    EXPECT_EQ(d.layers[0].transparencyVariable, QStringLiteral("num_stop"));
    EXPECT_EQ(d.pictureNames(), std::vector<QString>{QStringLiteral("wj_y_l_b_j.jpg")});
}

TEST(MovieDocument, MalformedDocumentsNameTheLineOrField)
{
    struct Case {
        QByteArray doc;
        const char *expected; // part of the message
    } cases[] = {
        {"{\n\"lumoraMovie\":1,\n\"stage\":[10,10]\n\"frames\":3}", "第 4 行"},
        {"", "第 1 行"},
        {"[]", "(文档)"},
        {R"({"stage":[10,10],"frames":3})", "lumoraMovie"},
        {R"({"lumoraMovie":2,"stage":[10,10],"frames":3})", "lumoraMovie"},
        {R"({"lumoraMovie":1,"stage":[10],"frames":3})", "stage"},
        {R"({"lumoraMovie":1,"stage":[0,10],"frames":3})", "stage"},
        {R"({"lumoraMovie":1,"stage":[10,10],"frames":0})", "frames"},
        {R"({"lumoraMovie":1,"stage":[10,10],"frames":2.5})", "frames"},
        {R"({"lumoraMovie":1,"stage":[10,10],"frames":999999999})", "frames"},
        {R"({"lumoraMovie":1,"stage":[10,10],"frames":3,"variables":{"a":1}})", "variables.a"},
        {R"({"lumoraMovie":1,"stage":[10,10],"frames":3,"extra":1})", "extra"},
        {withLayer(R"({"rect":[0,0,1,1]})"), "layers[0].type"},
        {withLayer(R"({"type":"video","rect":[0,0,1,1]})"), "layers[0].type"},
        {withLayer(R"({"type":"rect"})"), "layers[0].rect"},
        {withLayer(R"({"type":"rect","rect":[0,0,-1,1]})"), "layers[0].rect"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"fill":"red"})"), "layers[0].fill"},
        {withLayer(R"({"type":"picture","rect":[0,0,1,1]})"), "layers[0].picture"},
        {withLayer(R"({"type":"picture","rect":[0,0,1,1],"picture":"/etc/passwd"})"), "layers[0].picture"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"from":12})"), "layers[0].from"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"from":5,"to":2})"), "layers[0].to"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"anim":{"x":[[5,1],[2,3]]}})"), "layers[0].anim.x[1]"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"anim":{"x":[[0,1,"bounce"]]}})"), "layers[0].anim.x[0][2]"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"anim":{"zoom":0.5}})"), "zoom"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"anim":{"spin":1}})"), "layers[0].anim.spin"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"clip":{"shape":"star","progress":1}})"), "layers[0].clip.shape"},
        {withLayer(R"({"type":"rect","rect":[0,0,1,1],"clip":{"shape":"wipe"}})"), "layers[0].clip.progress"},
        {withLayer(R"({"type":"picture","rect":[0,0,1,1],"picture":"a.jpg","crop":[0.5,0,0.6,1]})"), "crop"},
        {withLayer(R"({"type":"text","rect":[0,0,1,1]})"), "layers[0].text"},
    };
    for (const Case &c : cases) {
        const QString msg = errorOf(c.doc);
        EXPECT_TRUE(msg.contains(QString::fromUtf8(c.expected))) << c.doc.toStdString() << " → " << msg.toStdString();
        EXPECT_TRUE(msg.contains(QStringLiteral("m.swf"))) << msg.toStdString();
    }
}

TEST(MovieDocument, EveryTruncationIsRefusedCleanly)
{
    const QByteArray doc = test::templateMovie(
        20, QStringLiteral(R"(,{"type":"rect","rect":[1,2,3,4],"fill":"#80ff0000","anim":{"x":[[0,1],[5,9,"back"]]},
            "clip":{"shape":"iris","progress":[[0,0],[9,1]]}})"));
    for (int n = 0; n < doc.size(); ++n)
        EXPECT_FALSE(errorOf(doc.left(n)).isEmpty()) << n;
    EXPECT_TRUE(errorOf(doc).isEmpty());
}

TEST(MovieDocument, TracksInterpolateWithTheirEase)
{
    Track t;
    t.keys = {{10, 0, Ease::Linear}, {20, 100, Ease::Hold}, {30, 50, Ease::Linear}};
    EXPECT_DOUBLE_EQ(t.at(0, -1), 0); // before the first key
    EXPECT_DOUBLE_EQ(t.at(15, -1), 50); // linear
    EXPECT_DOUBLE_EQ(t.at(25, -1), 100); // hold keeps the value until the next key
    EXPECT_DOUBLE_EQ(t.at(99, -1), 50); // after the last key
    EXPECT_DOUBLE_EQ(Track().at(5, 7), 7);
    for (Ease e : {Ease::Linear, Ease::In, Ease::Out, Ease::InOut, Ease::Back}) {
        EXPECT_NEAR(applyEase(e, 0), 0, 1e-9);
        EXPECT_NEAR(applyEase(e, 1), 1, 1e-9);
    }
}
