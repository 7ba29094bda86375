#include "demo_board.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace vanto::demo {
namespace {

// Photograph geometry: 20 pixels per millimetre, the board's top-left
// corner 40 pixels in from the photograph's.
constexpr int kWidth = 1600;
constexpr int kHeight = 1100;
constexpr double kPxPerMm = 20.0;
constexpr double kBoardOriginPx = 40.0;
constexpr double kBoardWidthMm = 76.5;
constexpr double kBoardHeightMm = 51.0;

int X(double mm) {
  return static_cast<int>(std::lround(kBoardOriginPx + mm * kPxPerMm));
}
int Y(double mm) {
  return X(mm);
}
int Len(double mm) {
  return static_cast<int>(std::lround(mm * kPxPerMm));
}

PixelRect RectMm(double cx, double cy, double width, double height) {
  return {X(cx - width / 2), Y(cy - height / 2), X(cx + width / 2), Y(cy + height / 2)};
}

// A pad centred at (cx, cy) mm, width x height mm.
DemoPin Pad(int number, double cx, double cy, double width, double height, bool throughHole,
            std::string net) {
  DemoPin pin;
  pin.number = number;
  pin.x = X(cx);
  pin.y = Y(cy);
  pin.padWidth = std::max(2, Len(width));
  pin.padHeight = std::max(2, Len(height));
  pin.throughHole = throughHole;
  pin.net = std::move(net);
  return pin;
}

// Body and every pad, grown by a pixel so the pads' edges lie inside.
void SetFootprint(DemoComponent& part) {
  PixelRect box = part.body;
  for (const DemoPin& pin : part.pins) {
    box.left = std::min(box.left, pin.x - pin.padWidth / 2);
    box.right = std::max(box.right, pin.x + pin.padWidth / 2);
    box.top = std::min(box.top, pin.y - pin.padHeight / 2);
    box.bottom = std::max(box.bottom, pin.y + pin.padHeight / 2);
  }
  part.footprint = {box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
}

DemoComponent Part(std::string name, std::string value, Package package, TestSettings settings) {
  DemoComponent part;
  part.name = std::move(name);
  part.value = std::move(value);
  part.package = package;
  part.settings = settings;
  return part;
}

// Dual in-line, long axis along x: pins 1..n/2 along the bottom row from
// the left, the rest back along the top row (counter-clockwise from above).
DemoComponent Dip(std::string name, std::string value, double cx, double cy,
                  const std::vector<std::string>& nets, TestSettings settings) {
  DemoComponent part = Part(std::move(name), std::move(value), Package::Dip, settings);
  const int half = static_cast<int>(nets.size()) / 2;
  const double pitch = 2.54;
  const double first = cx - (half - 1) * pitch / 2;
  for (int i = 0; i < half; ++i) {
    part.pins.push_back(Pad(i + 1, first + i * pitch, cy + 3.81, 1.8, 1.8, true, nets[i]));
  }
  for (int i = 0; i < half; ++i) {
    part.pins.push_back(Pad(half + i + 1, first + (half - 1 - i) * pitch, cy - 3.81, 1.8, 1.8, true,
                            nets[half + i]));
  }
  part.body = RectMm(cx, cy, half * pitch + 1.5, 6.1);
  part.labelX = X(cx);
  part.labelY = Y(cy - 6.2);
  SetFootprint(part);
  return part;
}

// Small outline, gull wings, long axis along x; numbered like a DIP.
DemoComponent Soic(std::string name, std::string value, double cx, double cy,
                   const std::vector<std::string>& nets, TestSettings settings) {
  DemoComponent part = Part(std::move(name), std::move(value), Package::Soic, settings);
  const int half = static_cast<int>(nets.size()) / 2;
  const double pitch = 1.27;
  const double first = cx - (half - 1) * pitch / 2;
  for (int i = 0; i < half; ++i) {
    part.pins.push_back(Pad(i + 1, first + i * pitch, cy + 2.7, 0.6, 1.5, false, nets[i]));
  }
  for (int i = 0; i < half; ++i) {
    part.pins.push_back(Pad(half + i + 1, first + (half - 1 - i) * pitch, cy - 2.7, 0.6, 1.5, false,
                            nets[half + i]));
  }
  part.body = RectMm(cx, cy, 4.9, 3.9);
  part.labelX = X(cx);
  part.labelY = Y(cy - 4.6);
  SetFootprint(part);
  return part;
}

// Quad flat pack, 8 pins a side at 0.8 mm: pin 1 at the top of the left
// side, counter-clockwise from above.
DemoComponent Qfp32(std::string name, std::string value, double cx, double cy,
                    const std::vector<std::string>& nets, TestSettings settings) {
  DemoComponent part = Part(std::move(name), std::move(value), Package::Qfp, settings);
  const double pitch = 0.8;
  const double reach = 4.35;  // pad centre from the body centre
  const double along = 3.5 * pitch;
  for (int i = 0; i < 32; ++i) {
    const int side = i / 8;
    const double k = (i % 8) * pitch;
    double x = 0, y = 0, w = 1.5, h = 0.45;
    switch (side) {
      case 0:
        x = cx - reach;
        y = cy - along + k;
        break;
      case 1:
        x = cx - along + k;
        y = cy + reach;
        std::swap(w, h);
        break;
      case 2:
        x = cx + reach;
        y = cy + along - k;
        break;
      default:
        x = cx + along - k;
        y = cy - reach;
        std::swap(w, h);
        break;
    }
    part.pins.push_back(Pad(i + 1, x, y, w, h, false, nets[static_cast<std::size_t>(i)]));
  }
  part.body = RectMm(cx, cy, 7.0, 7.0);
  part.labelX = X(cx - 6.8);
  part.labelY = Y(cy - 6.2);
  SetFootprint(part);
  return part;
}

// Single-row header along y, pin 1 at the top.
DemoComponent Header(std::string name, std::string value, double cx, double top,
                     const std::vector<std::string>& nets, TestSettings settings) {
  DemoComponent part = Part(std::move(name), std::move(value), Package::PinHeader, settings);
  part.vertical = true;
  const double pitch = 2.54;
  for (std::size_t i = 0; i < nets.size(); ++i) {
    part.pins.push_back(Pad(static_cast<int>(i) + 1, cx, top + static_cast<double>(i) * pitch, 1.7,
                            1.7, true, nets[i]));
  }
  const double length = static_cast<double>(nets.size()) * pitch;
  part.body = RectMm(cx, top + length / 2 - pitch / 2, 2.5, length);
  part.labelX = X(cx);
  part.labelY = Y(top - 2.6);
  SetFootprint(part);
  return part;
}

// Two-terminal parts, horizontal or vertical, pin 1 left (or top).
struct TwoPinShape {
  Package package;
  double pinSpacing;  // centre to centre
  double padWidth;    // along the axis
  double padHeight;
  double bodyLength;
  double bodyWidth;
  bool throughHole;
};

constexpr TwoPinShape kAxialResistor{Package::AxialResistor, 10.16, 1.8, 1.8, 6.3, 2.4, true};
constexpr TwoPinShape kAxialDiode{Package::AxialDiode, 10.16, 1.9, 1.9, 5.2, 2.7, true};
constexpr TwoPinShape kChip1206{Package::ChipResistor, 3.0, 1.2, 1.8, 3.2, 1.6, false};
constexpr TwoPinShape kChip0805{Package::ChipResistor, 2.0, 1.0, 1.4, 2.0, 1.25, false};
constexpr TwoPinShape kCap0805{Package::ChipCapacitor, 2.0, 1.0, 1.4, 2.0, 1.25, false};
constexpr TwoPinShape kCrystal{Package::Crystal, 4.88, 1.2, 1.6, 11.0, 4.6, true};
constexpr TwoPinShape kSod123{Package::Sod123, 3.4, 1.0, 1.2, 2.7, 1.6, false};
// The can hides the inner half of the pads: the pin positions are the
// exposed tabs.
constexpr TwoPinShape kElectrolytic{Package::SmdElectrolytic, 7.6, 1.4, 1.6, 6.6, 6.6, false};

DemoComponent TwoPin(std::string name, std::string value, const TwoPinShape& shape, double cx,
                     double cy, bool vertical, const std::string& net1, const std::string& net2,
                     TestSettings settings) {
  DemoComponent part = Part(std::move(name), std::move(value), shape.package, settings);
  part.vertical = vertical;
  const double half = shape.pinSpacing / 2;
  const double padAlong = shape.padWidth;
  const double padAcross = shape.padHeight;
  if (vertical) {
    part.pins.push_back(Pad(1, cx, cy - half, padAcross, padAlong, shape.throughHole, net1));
    part.pins.push_back(Pad(2, cx, cy + half, padAcross, padAlong, shape.throughHole, net2));
    part.body = RectMm(cx, cy, shape.bodyWidth, shape.bodyLength);
    part.labelX = X(cx + shape.bodyWidth / 2 + 2.2);
    part.labelY = Y(cy);
  } else {
    part.pins.push_back(Pad(1, cx - half, cy, padAlong, padAcross, shape.throughHole, net1));
    part.pins.push_back(Pad(2, cx + half, cy, padAlong, padAcross, shape.throughHole, net2));
    part.body = RectMm(cx, cy, shape.bodyLength, shape.bodyWidth);
    part.labelX = X(cx);
    part.labelY = Y(cy - shape.bodyWidth / 2 - 1.6);
  }
  SetFootprint(part);
  return part;
}

void MoveLabel(DemoComponent& part, double xMm, double yMm) {
  part.labelX = X(xMm);
  part.labelY = Y(yMm);
}

// A round SMD test pad, its name to the right.
DemoComponent TestPoint(std::string name, std::string value, double cx, double cy,
                        std::string net) {
  DemoComponent part = Part(std::move(name), std::move(value), Package::TestPoint, {});
  part.pins.push_back(Pad(1, cx, cy, 1.6, 1.6, false, std::move(net)));
  part.body = RectMm(cx, cy, 1.6, 1.6);
  part.labelX = X(cx + 3.2);
  part.labelY = Y(cy + 0.6);
  SetFootprint(part);
  return part;
}

// SOT-23 seen from above: pins 1 and 2 below, pin 3 above.
DemoComponent Sot23(std::string name, std::string value, double cx, double cy,
                    const std::vector<std::string>& nets, TestSettings settings) {
  DemoComponent part = Part(std::move(name), std::move(value), Package::Sot23, settings);
  part.pins.push_back(Pad(1, cx - 0.95, cy + 1.15, 0.8, 0.9, false, nets[0]));
  part.pins.push_back(Pad(2, cx + 0.95, cy + 1.15, 0.8, 0.9, false, nets[1]));
  part.pins.push_back(Pad(3, cx, cy - 1.15, 0.8, 0.9, false, nets[2]));
  part.body = RectMm(cx, cy, 2.9, 1.3);
  part.labelX = X(cx + 3.4);
  part.labelY = Y(cy);
  SetFootprint(part);
  return part;
}

// What each net looks like to the instrument. The ICs are unpowered, so
// every pin shows its protection diodes to the rails, and the 5 V rail,
// held by C1, is a short at the test frequencies: a diode to VCC is drawn
// as a diode to ground. CMOS outputs add a few tens of ohms, the op-amp's
// bipolar inputs a two-junction path, the op-amp's outputs unequal halves.
const std::map<std::string, std::pair<std::string, std::string>>& NetCircuits() {
  static const std::map<std::string, std::pair<std::string, std::string>> circuits = {
      {"ID", {"R1k", "board identity resistor R1 to ground"}},
      {"VIN", {"DS", "supply input: D1 (Schottky) into the 5 V rail"}},
      {"GND", {"short", "ground"}},
      {"AIN", {"Z5.1 | (R10k + (!D | (D + R2k + D)))", "analog input: ZD1, then R2 to U2"}},
      {"TXD", {"(D + R47) | (!D + R47)", "U3 serial output"}},
      {"QC", {"!D + ((R1k + ((D + R33) | (!D + R33))) | !Z6.2)", "open collector of Q1"}},
      {"J1_7", {"open", "header pin not connected"}},
      {"VCC", {"C47u | C100n | (D + D + R220) | !D", "5 V rail: C1, C2 and the ICs' supply"}},
      {"IN1P", {"!D | (D + R2k + D) | (R10k + Z5.1)", "U2 input +, R2 from AIN"}},
      {"PD5", {"D | !D | (D + R47) | (!D + R47)", "U3 output into U1 input"}},
      {"U1_2", {"D | !D | (D + R33) | (!D + R33)", "U1 output into U1 input"}},
      {"PD6", {"D | !D | (D + R33) | (!D + R33)", "U1 output into U3 input"}},
      {"PD7", {"D | !D | (D + R47) | (!D + R47)", "U3 output into U1 input"}},
      {"DRV", {"(D + R33) | (!D + R33) | (R1k + D)", "U1 output, R5 to the base of Q1"}},
      {"PB1", {"D | !D | (D + R33) | (!D + R33)", "U1 output into U3 input"}},
      {"PB0", {"D | !D | (D + R47) | (!D + R47)", "U3 output into U1 input"}},
      {"U1_10", {"(D + R33) | (!D + R33)", "U1 output, unused"}},
      {"U1_12", {"(D + R33) | (!D + R33)", "U1 output, unused"}},
      {"OUT1",
       {"(D + R330) | (!D + R150) | D | !D | (R47k + (!D | (D + R2k + D)))",
        "U2 output: U3 ADC input, R3 back to input -"}},
      {"IN1N",
       {"!D | (D + R2k + D) | (R47k + ((D + R330) | (!D + R150) | D | !D))",
        "U2 input -, R3 from the output"}},
      {"OUT2", {"(D + R330) | (!D + R150) | !D | (D + R2k + D)", "U2 spare half, follower"}},
      {"XTAL1", {"D | !D | C22p", "crystal Y1 and C3"}},
      {"XTAL2", {"D | !D | C22p", "crystal Y1 and C4"}},
      {"AREF", {"C100n | D | !D", "U3 reference, decoupled"}},
      {"RST_N", {"R10k | !D", "U3 reset, R4 pull-up"}},
      {"QB", {"D | !Z6.2 | (R1k + ((D + R33) | (!D + R33)))", "base of Q1, R5 from U1"}},
  };
  return circuits;
}

constexpr const char* kUnusedPinCircuit = "D | !D";

std::pair<std::string, std::string> CircuitOf(const std::string& net) {
  const auto& circuits = NetCircuits();
  if (auto it = circuits.find(net); it != circuits.end()) return it->second;
  return {kUnusedPinCircuit, "U3 port pin, unused"};
}

DemoBoard Build() {
  DemoBoard board;
  board.width = kWidth;
  board.height = kHeight;
  board.pixelsPerMm = kPxPerMm;
  board.outline = {X(0), Y(0), X(kBoardWidthMm), Y(kBoardHeightMm)};

  const TestSettings connector{10000, 10000, 50};
  const TestSettings diode{10000, 10000, 50};
  const TestSettings capacitor{1000, 100, 1000};
  const TestSettings logic{2000, 1000, 100};
  const TestSettings analog{10000, 10000, 50};
  const TestSettings controller{1000, 1000, 1000};

  auto& parts = board.components;
  parts.push_back(Header("J1", "1x7 header", 5.0, 14.0,
                         {"ID", "VIN", "GND", "AIN", "TXD", "QC", "J1_7"}, connector));
  parts.back().pins.back().tested = false;
  parts.push_back(TwoPin("R1", "1k", kChip1206, 13.0, 11.0, false, "ID", "GND", {1000, 1000, 50}));
  parts.push_back(TwoPin("D1", "1N5819", kAxialDiode, 14.5, 4.8, false, "VCC", "VIN", diode));
  parts.push_back(TwoPin("C1", "47u", kElectrolytic, 27.5, 6.0, false, "VCC", "GND", capacitor));
  parts.push_back(TwoPin("ZD1", "5V1", kSod123, 14.0, 33.0, true, "AIN", "GND", diode));
  parts.push_back(
      TwoPin("R2", "10k", kAxialResistor, 21.0, 40.5, false, "AIN", "IN1P", {2000, 10000, 100}));
  parts.push_back(Dip("U1", "74HC14", 28.5, 19.0,
                      {"PD5", "U1_2", "U1_2", "PD6", "PD7", "DRV", "GND", "PB1", "PB0", "U1_10",
                       "GND", "U1_12", "GND", "VCC"},
                      logic));
  parts.push_back(Soic("U2", "LM358", 34.0, 38.0,
                       {"OUT1", "IN1N", "IN1P", "GND", "GND", "OUT2", "OUT2", "VCC"}, analog));
  parts.push_back(
      TwoPin("R3", "47k", kChip0805, 34.0, 45.0, false, "IN1N", "OUT1", {2000, 10000, 100}));
  // Sides of eight: left 1-8, bottom 9-16, right 17-24, top 25-32.
  // clang-format off
  parts.push_back(Qfp32("U3", "MEGA-32A", 55.0, 24.0,
                        {"PD3", "PD4", "GND", "VCC", "GND",  "VCC",  "XTAL1", "XTAL2",
                         "PD5", "PD6", "PD7", "PB0", "PB1",  "PB2",  "PB3",   "PB4",
                         "PB5", "VCC", "GND", "AREF", "GND", "OUT1", "PC0",   "PC1",
                         "PC2", "PC3", "PC4", "PC5", "RST_N", "RXD", "TXD",   "PD2"},
                        controller));
  // clang-format on
  parts.push_back(
      TwoPin("R4", "10k", kChip0805, 63.5, 18.5, true, "RST_N", "VCC", {1000, 10000, 50}));
  parts.push_back(TwoPin("C2", "100n", kCap0805, 45.0, 15.5, false, "VCC", "GND", capacitor));
  parts.push_back(Sot23("Q1", "BC847", 67.0, 37.5, {"QB", "GND", "QC"}, logic));
  parts.push_back(TwoPin("R5", "1k", kChip0805, 61.0, 38.5, false, "DRV", "QB", logic));

  // On the photograph only: the crystal with its load capacitors, more
  // decoupling and two test points.
  auto& extra = board.untestedComponents;
  extra.push_back(TwoPin("Y1", "16.000", kCrystal, 43.0, 29.0, true, "XTAL1", "XTAL2", controller));
  MoveLabel(extra.back(), 39.2, 29.4);
  extra.push_back(TwoPin("C3", "22p", kCap0805, 47.5, 30.0, true, "XTAL1", "GND", capacitor));
  extra.push_back(TwoPin("C4", "22p", kCap0805, 47.5, 34.5, true, "XTAL2", "GND", capacitor));
  extra.push_back(TwoPin("C5", "100n", kCap0805, 16.5, 19.0, true, "VCC", "GND", capacitor));
  MoveLabel(extra.back(), 14.2, 19.4);
  extra.push_back(TwoPin("C6", "100n", kCap0805, 39.0, 38.0, true, "VCC", "GND", capacitor));
  extra.push_back(TestPoint("TP1", "5V", 10.0, 42.5, "VCC"));
  extra.push_back(TestPoint("TP2", "GND", 10.0, 46.5, "GND"));

  // Nets in the order the plan first meets them: that is the scanner order.
  std::set<std::string> seen;
  for (const DemoComponent& part : parts) {
    for (const DemoPin& pin : part.pins) {
      if (!seen.insert(pin.net).second) continue;
      auto [circuit, meaning] = CircuitOf(pin.net);
      board.nets.push_back({pin.net, circuit, meaning});
    }
  }
  return board;
}

}  // namespace

const DemoBoard& TheDemoBoard() {
  static const DemoBoard board = Build();
  return board;
}

const DemoNet* FindNet(const DemoBoard& board, std::string_view name) {
  for (const DemoNet& net : board.nets) {
    if (net.name == name) return &net;
  }
  return nullptr;
}

int ScannerChannel(const DemoBoard& board, std::string_view net) {
  for (std::size_t i = 0; i < board.nets.size() && i < 40; ++i) {
    if (board.nets[i].name == net) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string SimBoardText(const DemoBoard& board) {
  std::string text = "# DEMO-1, the demo board: one node per net, its circuit to ground\n";
  for (const DemoNet& net : board.nets) {
    std::string line = net.name;
    line.resize(std::max<std::size_t>(line.size() + 1, 7), ' ');
    line += net.circuit;
    line.resize(std::max<std::size_t>(line.size() + 2, 70), ' ');
    text += line + "# " + net.meaning + "\n";
  }
  return text;
}

std::string SimProbeScriptText(const DemoBoard& board) {
  std::string text =
      "# DEMO-1 probe walk: a touch on J1 pin 1, a pause to start an automatic\n"
      "# test, then every tested pin in plan order, and again from the top\n";
  const DemoComponent& first = board.components.front();
  text += first.pins.front().net + " " + std::to_string(kWalkFirstTouchMs) + " " +
          std::to_string(kWalkPauseMs) + "\n";
  for (const DemoComponent& part : board.components) {
    for (const DemoPin& pin : part.pins) {
      if (!pin.tested) continue;
      std::string line =
          pin.net + " " + std::to_string(kWalkHoldMs) + " " + std::to_string(kWalkLiftMs);
      line.resize(std::max<std::size_t>(line.size() + 2, 24), ' ');
      text += line + "# " + part.name + " pin " + std::to_string(pin.number) + "\n";
    }
  }
  return text;
}

std::string SimScannerMapText(const DemoBoard& board) {
  std::string text = "# DEMO-1 scanner map: channel n is the n-th net the plan meets\n";
  for (std::size_t i = 0; i < board.nets.size() && i < 40; ++i) {
    text += std::to_string(i + 1) + " " + board.nets[i].name + "\n";
  }
  return text;
}

std::string NetUserText(const DemoComponent& component, const DemoPin& pin) {
  return component.value + ", net " + pin.net;
}

std::string NetFromUserText(std::string_view userText) {
  const std::string_view marker = ", net ";
  const std::size_t at = userText.rfind(marker);
  if (at == std::string_view::npos) return {};
  std::string_view name = userText.substr(at + marker.size());
  const std::size_t end = name.find_first_of(" ,");
  return std::string(name.substr(0, end));
}

}  // namespace vanto::demo
