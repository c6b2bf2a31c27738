// Painting both chart types: every point shows in its colour, the texts are
// drawn, the parts fit, and odd data draws without harm.
#include "charttest.h"
#include "engines/chart/chartpainter.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace chart;
using charttest::countColour;

namespace {

const std::vector<double> kYear = {1200, 950, 1830, 0, 640, 2210, 1500, 480, 1320, 1750, 890, 2600};

// With VELARION_SHOTS set to a folder, pictures are saved there to look at.
void shoot(const QImage& image, const QString& name) {
  const QString folder = qEnvironmentVariable("VELARION_SHOTS");
  if (!folder.isEmpty()) image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QStringList textsOf(const ChartDescription& c, QSize size = {800, 600}) {
  charttest::TextRecorder device(size);
  QPainter painter(&device);
  paintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), c);
  painter.end();
  return device.texts();
}

ChartDescription ofType(ChartDescription c, ChartType type) {
  c.type = type;
  return c;
}

const char* typeName(ChartType t) { return t == ChartType::Bars3D ? "barre" : "torta"; }

} // namespace

TEST(ChartPaint, EveryPointShowsInItsColourAndZeroGetsNoSlice) {
  for (ChartType type : {ChartType::Bars3D, ChartType::Pie3D}) {
    for (QSize size : {QSize(800, 600), QSize(1600, 1000)}) {
      SCOPED_TRACE(testing::Message() << typeName(type) << ' ' << size.width());
      const ChartDescription c = ofType(charttest::monthly(kYear), type);
      const QImage image = renderChart(c, size);
      shoot(image, QStringLiteral("mesi_%1_%2").arg(typeName(type)).arg(size.width()));
      const ChartLayout l = layoutChart(c, QRectF(image.rect()), &image);
      for (const ChartPoint& p : c.points) {
        SCOPED_TRACE(p.name.toStdString());
        const int inPlot = countColour(image, p.colour.rgba(), l.plot.toRect());
        if (p.value > 0) {
          EXPECT_GT(inPlot, 200);
        } else if (type == ChartType::Pie3D) {
          EXPECT_EQ(inPlot, 0);
        }
        EXPECT_GT(countColour(image, p.colour.rgba(), l.legend.toRect()), 20);
      }
    }
  }
  const QImage balance = renderChart(ofType(charttest::balance(48210, 31975), ChartType::Pie3D), {800, 600});
  shoot(balance, QStringLiteral("bilancio_torta"));
  shoot(renderChart(charttest::balance(48210, 31975), {800, 600}), QStringLiteral("bilancio_barre"));
  EXPECT_GT(countColour(balance, 0xFF008000, balance.rect()), countColour(balance, 0xFFFF0000, balance.rect()));
}

TEST(ChartPaint, TitleFootLegendNamesAndMarksAreDrawn) {
  const ChartDescription year = charttest::monthly(kYear);
  for (ChartType type : {ChartType::Bars3D, ChartType::Pie3D}) {
    SCOPED_TRACE(typeName(type));
    const QStringList texts = textsOf(ofType(year, type));
    for (const QString& fixed : {year.title.text, year.foot.text, year.legendTitle})
      EXPECT_EQ(texts.count(fixed), 1) << fixed.toStdString();
    // Bars name their points under the bars and in the legend.
    const int namings = type == ChartType::Bars3D ? 2 : 1;
    for (const ChartPoint& p : year.points) EXPECT_EQ(texts.count(p.name), namings) << p.name.toStdString();
    for (const QString& mark : {QStringLiteral("1.200"), QStringLiteral("2.600"), QStringLiteral("480")})
      EXPECT_TRUE(texts.contains(mark)) << mark.toStdString();
  }
  ChartDescription plain = year;
  plain.valueMarks = false;
  for (ChartType type : {ChartType::Bars3D, ChartType::Pie3D})
    EXPECT_FALSE(textsOf(ofType(plain, type)).contains(QStringLiteral("1.830"))) << typeName(type);
}

TEST(ChartPaint, ZeroValuesGiveFlatBarsMarkedZeroAndAnEmptyDisc) {
  const ChartDescription zero = charttest::monthly(std::vector<double>(12, 0));
  // Twelve marks "0" over the bars, and the foot of the axis.
  EXPECT_EQ(textsOf(zero).count(QStringLiteral("0")), 13);
  shoot(renderChart(zero, {800, 600}), QStringLiteral("zero_barre"));

  const ChartDescription pie = ofType(zero, ChartType::Pie3D);
  const QImage image = renderChart(pie, {800, 600});
  shoot(image, QStringLiteral("zero_torta"));
  const ChartLayout l = layoutChart(pie, QRectF(image.rect()), &image);
  for (const ChartPoint& p : pie.points) {
    EXPECT_EQ(countColour(image, p.colour.rgba(), l.plot.toRect()), 0) << p.name.toStdString();
    EXPECT_GT(countColour(image, p.colour.rgba(), l.legend.toRect()), 20) << p.name.toStdString();
  }
  EXPECT_FALSE(textsOf(pie).contains(QStringLiteral("0")));
  // Something is still drawn where the disc goes.
  EXPECT_LT(countColour(image, 0xFFFFFFFF, l.plot.toRect()), int(l.plot.width() * l.plot.height() * 0.9));
}

TEST(ChartPaint, OddDataDrawsWithoutHarm) {
  struct Case {
    const char* name;
    ChartDescription chart;
  };
  ChartDescription none = charttest::monthly({});
  ChartDescription one = charttest::monthly({750});
  ChartDescription huge = charttest::monthly({1234567, 2, 987654321});
  ChartDescription broken = charttest::monthly({NAN, INFINITY, 40, -INFINITY});
  ChartDescription mixed = charttest::monthly({-300, 500, 0, 120});
  ChartDescription crowded = charttest::monthly({1234567, 2345678, 3456789, 4567890, 5678901, 6789012, 7890123,
                                                  8901234, 9012345, 9123456, 9234567, 9345678});
  ChartDescription flat = charttest::monthly({5, 3, 8});
  flat.depth = 0;
  ChartDescription bare = charttest::monthly({5, 3});
  bare.title.text.clear();
  bare.foot.text.clear();
  bare.legendTitle.clear();
  bare.legendPosition = LegendPosition::Hidden;
  const Case cases[] = {{"nessun punto", none}, {"un punto", one},   {"valori enormi", huge},
                        {"non numeri", broken}, {"negativi", mixed}, {"senza testi", bare},
                        {"affollato", crowded}, {"piatto", flat}};
  for (const Case& c : cases) {
    for (ChartType type : {ChartType::Bars3D, ChartType::Pie3D}) {
      for (QSize size : {QSize(800, 600), QSize(120, 90), QSize(1, 1)}) {
        SCOPED_TRACE(testing::Message() << c.name << ' ' << typeName(type) << ' ' << size.width());
        const QImage image = renderChart(ofType(c.chart, type), size);
        EXPECT_EQ(image.size(), size);
        if (size.width() == 800) shoot(image, QStringLiteral("%1_%2").arg(QString::fromUtf8(c.name), typeName(type)));
      }
    }
  }
  // One point fills the whole disc; large values keep their group separators.
  const QImage single = renderChart(ofType(one, ChartType::Pie3D), {800, 600});
  const ChartLayout l = layoutChart(one, QRectF(single.rect()), &single);
  EXPECT_GT(countColour(single, 0xFFFF0000, l.plot.toRect()), 20000);
  const QStringList texts = textsOf(huge);
  EXPECT_TRUE(texts.contains(QStringLiteral("987.654.321")));
  EXPECT_TRUE(texts.contains(QStringLiteral("1.000.000.000")));
}

TEST(ChartPaint, PartsStackInsideTheAreaWithoutOverlapping) {
  const ChartDescription year = charttest::monthly(kYear);
  charttest::TextRecorder screen({800, 600});
  charttest::TextRecorder page({1096, 767}); // A4 landscape inside the print margins, at 96 dpi
  for (const charttest::TextRecorder* device : {&screen, &page}) {
    const QRectF area(0, 0, device->width(), device->height());
    const ChartLayout l = layoutChart(year, area, device);
    SCOPED_TRACE(device->width());
    for (const QRectF& part : {l.title, l.plot, l.legend, l.foot}) {
      EXPECT_FALSE(part.isEmpty());
      EXPECT_TRUE(area.contains(part));
    }
    EXPECT_LE(l.title.bottom(), l.plot.top());
    EXPECT_LE(l.plot.bottom(), l.legend.top());
    EXPECT_LE(l.legend.bottom(), l.foot.top());
    // The plot keeps most of the height for the chart itself.
    EXPECT_GT(l.plot.height(), area.height() * 0.45);
  }
  ChartDescription right = year;
  right.legendPosition = LegendPosition::Right;
  const ChartLayout r = layoutChart(right, QRectF(0, 0, 800, 600), &screen);
  EXPECT_LE(r.plot.right(), r.legend.left());
  EXPECT_GT(r.legend.height(), r.legend.width());
}
