// The editor's state as plain data. The placement and the prompt belong to
// the program, not to one opening of the window: closing the window in the
// middle of a placement and opening it again goes on where it stopped, so
// the application context owns this struct. The working values are
// reloaded from the plan on every opening and navigation, and the window
// resets the controls when it opens.
#pragma once

#include <array>
#include <string>

#include "editor/component_templates.h"
#include "editor/count_fields.h"
#include "testplan/pcb_view.h"

namespace vanto {

struct PlacementState {
  int placementStep = 0;  // 0: no placement; otherwise the click expected next
  PlacementMode placementMode = PlacementMode::Pins;
  // Pins per row; PINS: c1 is the quantity; PINTOPIN: c1 firstPin, c2 lastPin.
  std::array<int, kMaxTemplateRows> rowPins{};
  int pinCounter = 0;  // pin number of the next record
  // Drawn on top of the photograph; empty when nothing is asked.
  std::string editorPrompt;
};

// The editor's copy of the current record's view and pin.
struct EditorWorkingValues {
  PcbViewCentre view;  // centreX, centreY, zoom
  int pinX = 0;
  int pinY = 0;
  std::string pcbImageFile;  // column 13 of the plan row
  int zoomWindowStep = 0;    // 0, 1 or 2: the two-click zoom selection
  ViewPoint zoomCornerA;     // its first corner, in photograph pixels
  std::string promptBeforeZoom;  // shown again when the selection ends
  int movePinStep = 0;       // 1 while a pin move waits for its click
};

inline constexpr const char* kFirstComponentName = "Unknown_1";

// The texts of the controls that the commands read.
struct EditorControls {
  std::string componentName = kFirstComponentName;
  bool autoIncrement = true;  // "Auto Increment Component Number"
  std::string selectedTemplate = std::string(ComponentTemplates().front().entry);
  std::array<std::string, kCountFields> countFields{kCountFieldStart, kCountFieldStart,
                                                    kCountFieldStart, kCountFieldStart};
};

// The data grid's "To write > " row, as typed.
struct EntryRow {
  std::string status;
  std::string description;
  std::string component;
  std::string pin;
  std::string userText;
  std::string imageX;
  std::string imageY;
  std::string imageZoom;
  std::string testX;
  std::string testY;
  std::string scanSig;
  std::string scanCom;
  std::string signature;
};

struct EditorState {
  PlacementState placement;
  EditorWorkingValues working;
  EditorControls controls;
  EntryRow entry;
};

}  // namespace vanto
