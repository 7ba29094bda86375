// The board view rendered headless: the cut-out and its window, marker
// shapes and colours pixel by pixel, the crosshairs, the prompt line, the
// failure cases, and the photograph cache against loading anew.
#include "testplan/qt/board_view.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <chrono>
#include <filesystem>
#include <string>

#include "support/temp_workdir.h"
#include "testplan/plan_builder.h"

namespace vanto {

namespace {

using testing::AddRecord;
using testing::PlacePin;
using testing::TempWorkdir;

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kGrey(115, 124, 112);
const QColor kPink(255, 192, 203);
const QColor kPhotoGrey(100, 100, 100);

// A photograph of one colour, so every pixel the view does not draw on
// keeps that colour after smooth scaling.
void WritePhotograph(const std::string& path, int width, int height, QColor colour) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
}

QColor At(const QImage& image, int x, int y) {
  return image.pixelColor(x, y);
}

class BoardViewTest : public ::testing::Test {
 protected:
  BoardViewTest() {
    WritePhotograph("boards/photo.png", 1600, 1200, kPhotoGrey);
    // Written on another system: a "\" between the folders.
    plan.table.SetCell(1, cell::kImageFile, "boards\\photo.png");
    // The plan row is a pin at (0, 0); keep it away from the test pins.
    request.viewWidth = 640;
    request.viewHeight = 480;
    request.centreX = 800;
    request.centreY = 600;
    request.zoom = 1.0f;
    request.pinX = 1500;  // crosshair at (600, 440), clear of the markers
    request.pinY = 1100;
    request.imageFile = "boards\\photo.png";
  }

  bool Render(PcbCrosshair crosshair = PcbCrosshair::OneLine) {
    return RenderPcbView(image, view, plan.table, request, crosshair, photographs);
  }

  TempWorkdir workdir;
  TestPlanState plan;
  PcbViewRequest request;
  PcbViewState view;
  PhotographCache photographs;
  QImage image;
};

TEST_F(BoardViewTest, ShowsTheWholePhotographAtZoomOne) {
  ASSERT_TRUE(Render());
  EXPECT_EQ(image.size(), QSize(640, 480));
  EXPECT_TRUE(view.hasWindow);
  EXPECT_EQ(view.window, (PcbWindow{0, 1600, 0, 1200, 1600, 1200}));
  EXPECT_EQ(At(image, 300, 100), kPhotoGrey);
}

TEST_F(BoardViewTest, WholeBoardViewIgnoresCentreAndZoom) {
  request.zoom = 4.0f;
  request.centreX = 10;
  request.centreY = 10;
  ASSERT_TRUE(Render());
  EXPECT_EQ(view.window, (PcbWindow{0, 400, 0, 400, 1600, 1200}));
  view.wholeBoardView = true;
  ASSERT_TRUE(Render());
  EXPECT_EQ(view.window, (PcbWindow{0, 1600, 0, 1200, 1600, 1200}));
}

TEST_F(BoardViewTest, PinOneIsASquareWithABlackRimAroundItsResultColour) {
  PlacePin(plan, AddRecord(plan, "IC1", "1", "Good"), 400, 300);  // screen (160, 120)
  ASSERT_TRUE(Render());
  for (int x = 154; x <= 165; ++x) {
    EXPECT_EQ(At(image, x, 114), kBlack) << "top rim at x " << x;
    EXPECT_EQ(At(image, x, 125), kBlack) << "bottom rim at x " << x;
  }
  for (int y = 114; y <= 125; ++y) {
    EXPECT_EQ(At(image, 154, y), kBlack) << "left rim at y " << y;
    EXPECT_EQ(At(image, 165, y), kBlack) << "right rim at y " << y;
  }
  for (int y = 115; y <= 124; ++y) {
    for (int x = 155; x <= 164; ++x) ASSERT_EQ(At(image, x, y), kGreen) << x << ", " << y;
  }
  for (const auto& [x, y] : {std::pair{153, 120}, {166, 120}, {160, 113}, {160, 126}}) {
    EXPECT_EQ(At(image, x, y), kPhotoGrey) << "outside at " << x << ", " << y;
  }
}

TEST_F(BoardViewTest, PinOneWithAnEmptyStatusIsABlackSquareWithoutFill) {
  PlacePin(plan, AddRecord(plan, "IC1", "1", ""), 400, 600);  // screen (160, 240)
  ASSERT_TRUE(Render());
  for (int y = 234; y <= 245; ++y) {
    for (int x = 154; x <= 165; ++x) ASSERT_EQ(At(image, x, y), kBlack) << x << ", " << y;
  }
  EXPECT_EQ(At(image, 153, 240), kPhotoGrey);
  EXPECT_EQ(At(image, 166, 240), kPhotoGrey);
}

TEST_F(BoardViewTest, OtherPinsAreDiscsColouredByResult) {
  struct Case {
    const char* status;
    bool golden;
    QColor fill;
  };
  const Case cases[] = {
      {"Good", true, kGreen},  {"Bad", true, kRed},    {"Untested", true, kYellow},
      {"NoTest", true, kGrey}, {"Good", false, kPink}, {"", false, kPink},
  };
  int x = 100;
  for (const Case& c : cases) {
    PlacePin(plan, AddRecord(plan, "R1", "2", c.status, c.golden), x, 900);
    x += 200;
  }
  ASSERT_TRUE(Render());
  int screenX = 40;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.status) + (c.golden ? ", golden" : ", no golden"));
    const int y = 360;
    EXPECT_EQ(At(image, screenX, y), c.fill);
    EXPECT_EQ(At(image, screenX - 5, y), c.fill);
    EXPECT_EQ(At(image, screenX + 5, y), c.fill);
    EXPECT_EQ(At(image, screenX, y - 5), c.fill);
    EXPECT_EQ(At(image, screenX - 6, y), kBlack);
    EXPECT_EQ(At(image, screenX + 6, y), kBlack);
    EXPECT_EQ(At(image, screenX, y + 6), kBlack);
    EXPECT_EQ(At(image, screenX - 4, y - 4), kBlack);  // 32 > 25: outside the fill, inside the rim
    EXPECT_EQ(At(image, screenX - 7, y), kPhotoGrey);
    EXPECT_EQ(At(image, screenX - 5, y - 5), kPhotoGrey);  // the corner is outside the disc
    screenX += 80;
  }
}

TEST_F(BoardViewTest, RowsMarkedForDeletionGetNoMarker) {
  const int row = PlacePin(plan, AddRecord(plan, "IC4", "2", "Bad"), 600, 900);  // (240, 360)
  plan.table.SetCell(row, cell::kRecord, "delete");
  ASSERT_TRUE(Render());
  EXPECT_EQ(At(image, 240, 360), kPhotoGrey);
  EXPECT_EQ(At(image, 234, 360), kPhotoGrey);
}

TEST_F(BoardViewTest, PlanRowShowsAPinkDiscAtTheTopLeftCorner) {
  ASSERT_TRUE(Render());
  EXPECT_EQ(At(image, 0, 0), kPink);
  EXPECT_EQ(At(image, 5, 0), kPink);
  EXPECT_EQ(At(image, 6, 0), kBlack);
  EXPECT_EQ(At(image, 0, 6), kBlack);
  EXPECT_EQ(At(image, 7, 0), kPhotoGrey);
}

TEST_F(BoardViewTest, PinOnTheRightEdgeOfTheWindowIsStillMarked) {
  request.zoom = 4.0f;
  request.centreX = 10;
  request.centreY = 10;  // window 0..400 x 0..400
  PlacePin(plan, AddRecord(plan, "IC1", "2", "Bad"), 400, 200);
  ASSERT_TRUE(Render());
  EXPECT_EQ(At(image, 639, 240), kRed);
  EXPECT_EQ(At(image, 634, 240), kBlack);
}

TEST_F(BoardViewTest, OneLineCrosshairIsWhiteThroughThePin) {
  ASSERT_TRUE(Render());
  for (int y = 0; y < 480; y += 7) EXPECT_EQ(At(image, 600, y), kWhite) << "y " << y;
  for (int x = 20; x < 640; x += 7) EXPECT_EQ(At(image, x, 440), kWhite) << "x " << x;
  EXPECT_EQ(At(image, 599, 100), kPhotoGrey);
  EXPECT_EQ(At(image, 601, 100), kPhotoGrey);
  EXPECT_EQ(At(image, 100, 439), kPhotoGrey);
}

TEST_F(BoardViewTest, ThreeLineCrosshairHasBlackLinesBesideTheWhite) {
  ASSERT_TRUE(Render(PcbCrosshair::ThreeLine));
  EXPECT_EQ(At(image, 599, 100), kBlack);
  EXPECT_EQ(At(image, 600, 100), kWhite);
  EXPECT_EQ(At(image, 601, 100), kBlack);
  EXPECT_EQ(At(image, 100, 439), kBlack);
  EXPECT_EQ(At(image, 100, 440), kWhite);
  EXPECT_EQ(At(image, 100, 441), kBlack);
  EXPECT_EQ(At(image, 599, 440), kWhite);  // the white line lies over the black ones
  EXPECT_EQ(At(image, 598, 100), kPhotoGrey);
}

TEST_F(BoardViewTest, CrosshairIsLeftOutWhileThePinIsOutOfView) {
  request.zoom = 4.0f;
  request.centreX = 10;
  request.centreY = 10;
  ASSERT_TRUE(Render(PcbCrosshair::ThreeLine));
  for (int y = 100; y < 480; ++y) {
    for (int x = 100; x < 640; ++x) ASSERT_EQ(At(image, x, y), kPhotoGrey) << x << ", " << y;
  }
}

TEST_F(BoardViewTest, EmptyImageFileShowsTheNoImagePictureAtZoomOne) {
  std::filesystem::create_directories("graphics");
  std::filesystem::copy_file(std::string(VANTO_RESOURCE_DIR) + "/graphics/noimage.png",
                             "graphics/noimage.png");
  request.imageFile.clear();
  request.zoom = 6.0f;
  ASSERT_TRUE(Render());
  EXPECT_EQ(view.window, (PcbWindow{0, 640, 0, 640, 640, 640}));
}

TEST_F(BoardViewTest, UnloadablePhotographShowsAPlaceholderAndKeepsTheWindow) {
  ASSERT_TRUE(Render());
  const PcbWindow before = view.window;
  request.imageFile = "boards/missing.jpg";
  request.zoom = 4.0f;
  EXPECT_FALSE(Render());
  EXPECT_EQ(view.window, before);
  EXPECT_EQ(image.size(), QSize(640, 480));
  // No "graphics/noimage.png" here either: plain grey, no markers, no crosshair.
  for (int y = 0; y < 480; y += 5) {
    for (int x = 0; x < 640; x += 5) ASSERT_EQ(At(image, x, y), QColor(128, 128, 128));
  }
}

TEST_F(BoardViewTest, CachedPhotographRendersAsLoadingAnew) {
  PlacePin(plan, AddRecord(plan, "IC1", "1", "Good"), 400, 300);
  WritePhotograph("boards/photo.png", 1600, 1200, QColor(20, 140, 60));
  ASSERT_TRUE(Render());
  ASSERT_TRUE(Render());
  EXPECT_EQ(photographs.DecodeCount(), 1);
  PhotographCache fresh;
  QImage anew;
  PcbViewState freshView;
  ASSERT_TRUE(RenderPcbView(anew, freshView, plan.table, request, PcbCrosshair::OneLine, fresh));
  EXPECT_EQ(image, anew);
  EXPECT_EQ(view.window, freshView.window);
}

TEST_F(BoardViewTest, ChangedPhotographIsDecodedAgain) {
  ASSERT_TRUE(Render());
  const auto written = std::filesystem::last_write_time("boards/photo.png");
  // The modification time put back: the change time (and the size, when
  // the new file's differs) still tells the new content from the old.
  WritePhotograph("boards/photo.png", 1600, 1200, QColor(200, 30, 30));
  std::filesystem::last_write_time("boards/photo.png", written);
  ASSERT_TRUE(Render());
  EXPECT_EQ(photographs.DecodeCount(), 2);
  EXPECT_EQ(At(image, 300, 100), QColor(200, 30, 30));

  WritePhotograph("boards/photo.png", 800, 600, QColor(30, 30, 200));
  ASSERT_TRUE(Render());
  EXPECT_EQ(view.window, (PcbWindow{0, 800, 0, 600, 800, 600}));
  EXPECT_EQ(At(image, 300, 100), QColor(30, 30, 200));

  std::filesystem::remove("boards/photo.png");
  EXPECT_FALSE(Render());
}

TEST_F(BoardViewTest, PhotographSizeComesFromTheCache) {
  EXPECT_EQ(photographs.Size("boards\\photo.png"), QSize(1600, 1200));
  EXPECT_EQ(photographs.Size("boards/photo.png"), QSize(1600, 1200));
  EXPECT_EQ(photographs.DecodeCount(), 1);
  EXPECT_TRUE(photographs.Size("nothing.png").isEmpty());
}

// A view far smaller than its cut-out is scaled from a reduction of the
// photograph; it must show what scaling the photograph itself shows.
TEST_F(BoardViewTest, SmallViewOfALargeCutOutMatchesDirectScaling) {
  QImage gradient(1600, 1200, QImage::Format_RGB32);
  for (int y = 0; y < 1200; ++y) {
    for (int x = 0; x < 1600; ++x)
      gradient.setPixel(x, y, qRgb(x * 255 / 1599, y * 255 / 1199, 90));
  }
  ASSERT_TRUE(gradient.save("boards/photo.png", "PNG"));
  request.viewWidth = 160;
  request.viewHeight = 120;
  request.pinX = -100;  // no crosshair
  struct Case {
    int centreX;
    int centreY;
    float zoom;
  };
  for (const Case& c : {Case{800, 600, 1.0f}, Case{801, 601, 1.25f}}) {
    request.centreX = c.centreX;
    request.centreY = c.centreY;
    request.zoom = c.zoom;
    ASSERT_TRUE(Render());
    const PcbWindow& w = view.window;
    const QImage direct = gradient.copy(w.x0, w.y0, w.x1 - w.x0, w.y1 - w.y0)
                              .scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int worst = 0;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 160; ++x) {
        if (x < 8 && y < 8) continue;  // the plan row's marker
        const QRgb a = image.pixel(x, y);
        const QRgb b = direct.pixel(x, y);
        worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))});
      }
    }
    EXPECT_LE(worst, 3) << "zoom " << c.zoom;
  }
}

TEST_F(BoardViewTest, PromptIsBlackOnWhiteCentredOnTheEditorView) {
  QImage editorView(640, 640, QImage::Format_RGB32);
  editorView.fill(kPhotoGrey);
  const QString text = "Click on pin 1 of IC7";
  DrawPrompt(editorView, text);
  const QFontMetrics metrics(QFont(), &editorView);
  const int width = metrics.horizontalAdvance(" " + text + " ");
  const int left = 320 - width / 2;
  EXPECT_EQ(At(editorView, left, 0), kWhite);
  EXPECT_EQ(At(editorView, left + width - 1, 0), kWhite);
  EXPECT_EQ(At(editorView, left - 1, 0), kPhotoGrey);
  EXPECT_EQ(At(editorView, left + width, 0), kPhotoGrey);
  EXPECT_EQ(At(editorView, left, metrics.height()), kPhotoGrey);
  int dark = 0;
  for (int y = 0; y < metrics.height(); ++y) {
    for (int x = left; x < left + width; ++x) dark += qGray(editorView.pixel(x, y)) < 64 ? 1 : 0;
  }
  EXPECT_GT(dark, 20);
}

class MainBoardViewTest : public BoardViewTest {
 protected:
  MainBoardViewTest() {
    const int first = PlacePin(plan, AddRecord(plan, "IC1", "1", "Good"), 400, 300);
    PlacePin(plan, AddRecord(plan, "IC1", "2", "Bad"), 800, 600);
    plan.table.SetCell(first, cell::kViewX, "400");
    plan.table.SetCell(first, cell::kViewY, "300");
    plan.table.SetCell(first, cell::kZoom, "2");
    plan.currentRecord = first;
  }
  Settings settings;
  BoardView board{plan, settings};
  const ViewPlacement pane{700, 250, 480, 480};
};

TEST_F(MainBoardViewTest, RendersTheRecordFromItsCells) {
  settings.pcbCrosshairType = "3 line";
  const QImage shown = board.Render(2, QSize(480, 480));
  EXPECT_EQ(shown.size(), QSize(480, 480));
  EXPECT_EQ(board.Image(), shown);
  EXPECT_EQ(board.State().window, (PcbWindow{0, 800, 0, 800, 1600, 1200}));
  EXPECT_EQ(At(shown, 240, 240), kWhite);  // pin 1 under the crosshair
  EXPECT_EQ(At(shown, 239, 100), kBlack);  // three lines
  EXPECT_EQ(At(shown, 479, 360), kRed);    // pin 2 on the window's right edge
}

TEST_F(MainBoardViewTest, ClickBesidePinsTogglesTheWholeBoardAndOnAPinSelectsIt) {
  board.Render(2, QSize(480, 480));
  EXPECT_EQ(board.Click(pane, 800, 300), PcbClick::WholeBoardToggled);
  EXPECT_TRUE(board.State().wholeBoardView);
  board.Render(2, QSize(480, 480));
  EXPECT_EQ(board.State().window, (PcbWindow{0, 1600, 0, 1200, 1600, 1200}));
  // Pin 2 at (800, 600) is now in the middle of the pane.
  EXPECT_EQ(board.Click(pane, 940, 490), PcbClick::PinSelected);
  EXPECT_EQ(plan.currentRecord, 3);
  EXPECT_FALSE(board.State().wholeBoardView);
}

}  // namespace
}  // namespace vanto
