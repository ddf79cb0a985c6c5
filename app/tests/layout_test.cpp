// The layout rule of the main window as a plain function: the strip's spacing with its rounding,
// the threshold height below which nothing moves, and very narrow windows.

#include <QTest>

#include "app/layout.h"

using app::ArrangeForm;
using app::FormLayout;
using app::TwipRect;

Q_DECLARE_METATYPE(app::TwipRect)

class LayoutTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void roundHalfToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("142.5") << 142.5 << 142.0;
    QTest::newRow("143.5") << 143.5 << 144.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("2.4") << 2.4 << 2.0;
    QTest::newRow("2.6") << 2.6 << 3.0;
  }
  void roundHalfToEven() {
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(app::RoundHalfToEven(value), rounded);
  }

  void arrange_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("g");
    // At the design width the strip leaves 855 twips for six gaps: 142.5, which rounds down to even.
    QTest::newRow("design size") << 10140.0 << 7000.0 << 142.0;
    QTest::newRow("half rounds up to even") << 10146.0 << 7000.0 << 144.0;
    QTest::newRow("wide and short") << 15000.0 << 4455.0 << 952.0;
  }
  void arrange() {
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, g);
    const FormLayout layout = ArrangeForm(FormLayout{}, width, height);
    QCOMPARE(layout.pic, (TwipRect{100, 100, width - 300, 1215}));
    QCOMPARE(layout.txtOut, (TwipRect{2040, 1415, width - 2415, height - 2250}));
    QCOMPARE(layout.lstName, (TwipRect{120, 1415, 1815, height - 2250}));
    QCOMPARE(layout.Frame2, (TwipRect{g, 50, 1215, 1000}));
    QCOMPARE(layout.Frame1, (TwipRect{1215 + 1.5 * g, 50, 1500, 1000}));
    QCOMPARE(layout.Frame3, (TwipRect{2715 + 2 * g, 50, 1200, 1000}));
    QCOMPARE(layout.Frame4, (TwipRect{3915 + 2.5 * g, 50, 3975, 1000}));
    QCOMPARE(layout.cmdYes, (TwipRect{7890 + 4 * g, 150, 1095, 945}));
    // Two gaps remain to the right of the button, up to rounding.
    QVERIFY(qAbs(layout.pic.width - (layout.cmdYes.left + layout.cmdYes.width) - 2 * g) <= 3);
  }

  void arrange_belowThresholdHeight_keepsCurrentLayout() {
    const FormLayout current = ArrangeForm(FormLayout{}, 12000, 8000);
    QCOMPARE(ArrangeForm(current, 9000, 4454), current);
    QCOMPARE(ArrangeForm(current, 9000, 1000), current);
    const FormLayout at_threshold = ArrangeForm(current, 9000, 4455);
    QVERIFY(at_threshold != current);
    QCOMPARE(at_threshold.txtOut.height, 2205.0);
  }

  void arrange_veryNarrow_hasNoNegativeSizesOrGaps_data() {
    QTest::addColumn<double>("width");
    QTest::newRow("narrower than the strip") << 5000.0;
    QTest::newRow("narrower than the list") << 1000.0;
    QTest::newRow("nothing") << 0.0;
  }
  void arrange_veryNarrow_hasNoNegativeSizesOrGaps() {
    QFETCH(double, width);
    const FormLayout layout = ArrangeForm(FormLayout{}, width, 6000);
    for (const TwipRect& rect : {layout.pic, layout.Frame1, layout.Frame2, layout.Frame3, layout.Frame4,
                                 layout.cmdYes, layout.lstName, layout.txtOut}) {
      QVERIFY(rect.width >= 0);
      QVERIFY(rect.height >= 0);
      QVERIFY(rect.left >= 0);
    }
    // The parts still follow each other without overlapping.
    QVERIFY(layout.Frame1.left >= layout.Frame2.left + layout.Frame2.width);
    QVERIFY(layout.cmdYes.left >= layout.Frame4.left + layout.Frame4.width);
  }
};

QTEST_APPLESS_MAIN(LayoutTest)
#include "layout_test.moc"
