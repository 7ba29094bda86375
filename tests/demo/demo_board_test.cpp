// The demo board's description and the texts the simulator embeds from it:
// every net on the scanner, every pin on its part and on the board, and
// the built-in board, probe walk and scanner map the simulator compiled in
// being this description's.
#include "demo_board.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "demo_board_text.h"

namespace vanto::testing {
namespace {

using demo::DemoBoard;
using demo::DemoComponent;
using demo::DemoPin;
using demo::TheDemoBoard;

// Lines without comments and blanks, split into words.
std::vector<std::vector<std::string>> Lines(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::vector<std::string> split;
    for (std::string word; words >> word;) split.push_back(word);
    if (!split.empty()) lines.push_back(split);
  }
  return lines;
}

std::vector<const DemoComponent*> AllParts(const DemoBoard& board) {
  std::vector<const DemoComponent*> parts;
  for (const DemoComponent& part : board.components) parts.push_back(&part);
  for (const DemoComponent& part : board.untestedComponents) parts.push_back(&part);
  return parts;
}

TEST(DemoBoard, HasTheAdvertisedPartsAndAPlanSizedPinCount) {
  const DemoBoard& board = TheDemoBoard();
  std::set<demo::Package> packages;
  int pins = 0;
  for (const DemoComponent& part : board.components) {
    packages.insert(part.package);
    pins += static_cast<int>(part.pins.size());
  }
  for (demo::Package wanted :
       {demo::Package::Dip, demo::Package::Soic, demo::Package::Qfp, demo::Package::PinHeader,
        demo::Package::AxialResistor, demo::Package::ChipResistor, demo::Package::SmdElectrolytic,
        demo::Package::ChipCapacitor, demo::Package::AxialDiode, demo::Package::Sot23}) {
    EXPECT_TRUE(packages.count(wanted)) << "package " << static_cast<int>(wanted);
  }
  EXPECT_GE(pins, 40);
  EXPECT_LE(pins, 85);
}

TEST(DemoBoard, EveryNetHasACircuitAndAScannerChannel) {
  const DemoBoard& board = TheDemoBoard();
  ASSERT_LE(board.nets.size(), 40u);
  std::set<std::string> names;
  for (const demo::DemoNet& net : board.nets) {
    EXPECT_TRUE(names.insert(net.name).second) << "twice: " << net.name;
    EXPECT_FALSE(net.circuit.empty()) << net.name;
  }
  for (const DemoComponent* part : AllParts(board)) {
    for (const DemoPin& pin : part->pins) {
      EXPECT_NE(demo::FindNet(board, pin.net), nullptr) << part->name << " pin " << pin.number;
      EXPECT_GE(demo::ScannerChannel(board, pin.net), 1) << pin.net;
    }
  }
}

TEST(DemoBoard, EveryPinIsOnItsPartAndEveryPartOnTheBoard) {
  const DemoBoard& board = TheDemoBoard();
  for (const DemoComponent* part : AllParts(board)) {
    const demo::PixelRect& f = part->footprint;
    EXPECT_TRUE(board.outline.Contains(f.left, f.top) && board.outline.Contains(f.right, f.bottom))
        << part->name;
    for (std::size_t i = 0; i < part->pins.size(); ++i) {
      const DemoPin& pin = part->pins[i];
      EXPECT_EQ(pin.number, static_cast<int>(i) + 1) << part->name;
      EXPECT_TRUE(f.Contains(pin.x, pin.y)) << part->name << " pin " << pin.number;
    }
  }
  // No two pins of the plan share a spot: a click finds one pin.
  std::map<std::pair<int, int>, std::string> spots;
  for (const DemoComponent& part : board.components) {
    for (const DemoPin& pin : part.pins) {
      const std::string who = part.name + " pin " + std::to_string(pin.number);
      EXPECT_TRUE(spots.emplace(std::make_pair(pin.x, pin.y), who).second) << who;
    }
  }
}

// Read back from the text the simulator compiled in, each net's node
// carries the circuit the description gives it (blanks do not count in a
// circuit), whatever the layout of the lines.
TEST(DemoBoard, TheSimulatorsBuiltInBoardGivesEveryNetItsCircuit) {
  const DemoBoard& board = TheDemoBoard();
  auto withoutBlanks = [](std::string text) {
    std::erase(text, ' ');
    return text;
  };
  std::map<std::string, std::string> circuits;
  for (const auto& words : Lines(sim::builtin::kBoardText)) {
    std::string circuit;
    for (std::size_t i = 1; i < words.size(); ++i) circuit += words[i];
    EXPECT_TRUE(circuits.emplace(words[0], circuit).second) << "node twice: " << words[0];
  }
  ASSERT_EQ(circuits.size(), board.nets.size());
  for (const demo::DemoNet& net : board.nets) {
    ASSERT_TRUE(circuits.contains(net.name)) << net.name;
    EXPECT_EQ(circuits[net.name], withoutBlanks(net.circuit)) << net.name;
  }
}

TEST(DemoBoard, TheBuiltInBoardHasOneNodePerNetInScannerOrder) {
  const DemoBoard& board = TheDemoBoard();
  const auto nodes = Lines(sim::builtin::kBoardText);
  const auto channels = Lines(sim::builtin::kScannerMapText);
  ASSERT_EQ(nodes.size(), board.nets.size());
  ASSERT_EQ(channels.size(), board.nets.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    EXPECT_EQ(nodes[i][0], board.nets[i].name);
    ASSERT_EQ(channels[i].size(), 2u);
    EXPECT_EQ(channels[i][0], std::to_string(i + 1));
    EXPECT_EQ(channels[i][1], board.nets[i].name);
  }
}

TEST(DemoBoard, TheProbeWalkTouchesPausesThenVisitsEveryTestedPinInPlanOrder) {
  const DemoBoard& board = TheDemoBoard();
  const auto steps = Lines(sim::builtin::kProbeScriptText);
  std::vector<std::string> expected;
  for (const DemoComponent& part : board.components) {
    for (const DemoPin& pin : part.pins) {
      if (pin.tested) expected.push_back(pin.net);
    }
  }
  ASSERT_EQ(steps.size(), expected.size() + 1);
  // The first touch lands on the first record's pin, then a long lift.
  EXPECT_EQ(steps[0][0], expected[0]);
  EXPECT_EQ(steps[0][1], std::to_string(demo::kWalkFirstTouchMs));
  EXPECT_EQ(steps[0][2], std::to_string(demo::kWalkPauseMs));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& step = steps[i + 1];
    ASSERT_EQ(step.size(), 3u) << "step " << i + 1;
    EXPECT_EQ(step[0], expected[i]) << "step " << i + 1;
    EXPECT_EQ(step[1], std::to_string(demo::kWalkHoldMs));
    EXPECT_EQ(step[2], std::to_string(demo::kWalkLiftMs));
  }
}

TEST(DemoBoard, NetNamesTravelInTheUserText) {
  const DemoBoard& board = TheDemoBoard();
  const DemoComponent& u1 = board.components[6];
  ASSERT_EQ(u1.name, "U1");
  const std::string text = demo::NetUserText(u1, u1.pins[3]);
  EXPECT_EQ(text, "74HC14, net PD6");
  EXPECT_EQ(demo::NetFromUserText(text), "PD6");
  EXPECT_EQ(demo::NetFromUserText("no net here"), "");
}

}  // namespace
}  // namespace vanto::testing
