// The demo board "DEMO-1": one description from which everything about the
// demo is made, so the parts can never disagree:
// - the photograph (make_demo_board draws its packages, pads and traces),
// - the simulator's built-in virtual board, probe walk and scanner map
//   (make_demo_sim_text writes them as text that liborx_sim.so embeds),
// - the demo plan testplans/demo1.ept (make_demo_plan captures its golden
//   signatures from that simulated board through the program's own link).
// Plain C++, no Qt and none of the program's code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vanto::demo {

// A rectangle in photograph pixels, right and bottom edges included.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

enum class Package {
  Dip,              // dual in-line, through hole
  Soic,             // small outline, gull wing
  Qfp,              // quad flat pack
  PinHeader,        // single-row header, through hole
  AxialResistor,    // through hole, colour bands
  AxialDiode,       // through hole, black body, cathode band
  ChipResistor,     // 1206 / 0805 SMD
  ChipCapacitor,    // 0805 ceramic
  SmdElectrolytic,  // aluminium can on a plastic base
  Sod123,           // small SMD diode
  Sot23,            // small SMD transistor
  Crystal,          // HC-49 metal can
  TestPoint,        // a round SMD pad
};

// The generator settings a component's pins are tested with.
struct TestSettings {
  int millivolts = 1000;
  int ohms = 1000;
  int hertz = 50;
};

struct DemoPin {
  int number = 0;
  int x = 0;  // pad centre on the photograph
  int y = 0;
  int padWidth = 0;
  int padHeight = 0;
  bool throughHole = false;  // round ring with a drill hole (square for pin 1 of headers/DIPs)
  std::string net;
  bool tested = true;  // false: a "NoTest" record (an unconnected pin)
};

struct DemoComponent {
  std::string name;   // "U1"
  std::string value;  // "74HC14", "10k"
  Package package = Package::Dip;
  bool vertical = false;  // long axis along y
  PixelRect body;         // the visible body
  PixelRect footprint;    // body and every pad: where a pin of this part may lie
  int labelX = 0;         // silkscreen reference designator, centred here
  int labelY = 0;
  TestSettings settings;
  std::vector<DemoPin> pins;  // in pin-number order
};

// A net and what the instrument sees there: its circuit to board ground in
// the simulator's circuit syntax.
struct DemoNet {
  std::string name;
  std::string circuit;
  std::string meaning;  // a few words for the board file's comment
};

struct DemoBoard {
  int width = 0;  // photograph size in pixels
  int height = 0;
  double pixelsPerMm = 0.0;
  PixelRect outline;                      // board edge
  std::vector<DemoComponent> components;  // test order: the plan lists their pins in this order
  std::vector<DemoNet> nets;              // scanner order: channel n is nets[n - 1]
  // Components on the photograph that the plan does not test (crystal and
  // its load capacitors); their pins still belong to nets.
  std::vector<DemoComponent> untestedComponents;
};

// The photograph's file name as the plan stores it (relative to the
// working folder) and the plan's own name.
inline constexpr const char* kDemoPhotographFile = "testplans/demo1.jpg";
inline constexpr const char* kDemoPlanFile = "testplans/demo1.ept";

// Probe walk timing: a first touch on the first pin, a pause long enough to
// start an automatic test, then every tested pin in plan order.
inline constexpr int kWalkFirstTouchMs = 2000;
inline constexpr int kWalkPauseMs = 13000;
inline constexpr int kWalkHoldMs = 5000;
inline constexpr int kWalkLiftMs = 1000;

const DemoBoard& TheDemoBoard();

// Null when the board has no net of that name.
const DemoNet* FindNet(const DemoBoard& board, std::string_view name);
// 1..40 for a net on the scanner, 0 otherwise.
int ScannerChannel(const DemoBoard& board, std::string_view net);

// The simulator's texts (formats of sim/README.md): "NAME CIRCUIT" lines
// in scanner order, "NODE HOLD_MS LIFT_MS" lines, "CHANNEL NODE" lines.
std::string SimBoardText(const DemoBoard& board);
std::string SimProbeScriptText(const DemoBoard& board);
std::string SimScannerMapText(const DemoBoard& board);

// "net NAME" in a record's user text, and back.
std::string NetUserText(const DemoComponent& component, const DemoPin& pin);
std::string NetFromUserText(std::string_view userText);

}  // namespace vanto::demo
