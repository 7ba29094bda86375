// The texts of the "Edit/Add Records & Images" window, word for word:
// its title, the seven numbered steps, the buttons with their tool tips
// and the data grid's labels and headers.
#pragma once

namespace vanto::editor_text {

inline constexpr const char* kWindowTitle = "Edit/Add Records & Images";

inline constexpr const char* kStep1 = "1. Select a PCB image to use for this testplan:";
inline constexpr const char* kSelectImage = "Select Image";
inline constexpr const char* kImageFieldStart = "/testplans/images";

inline constexpr const char* kStep2 = "2. Select record:";
inline constexpr const char* kStep2a = "2a. Manual insert/delete controls:";
inline constexpr const char* kPrevious = "<";
inline constexpr const char* kPreviousTip = "Goto PREVIOUS record/pin in the sequence";
inline constexpr const char* kNext = ">";
inline constexpr const char* kNextTip = "Goto NEXT record/pin in the sequence";
inline constexpr const char* kInsertBefore = "< Manual Insert Before";
inline constexpr const char* kInsertBeforeTip = "Inserts single pin record BEFORE the current record/pin";
inline constexpr const char* kInsertAfter = "Manual Insert After >";
inline constexpr const char* kInsertAfterTip = "Inserts single pin record AFTER the current record/pin";
inline constexpr const char* kPreviousComponent = "<<";
inline constexpr const char* kPreviousComponentTip = "Goto PREVIOUS Component in the sequence";
inline constexpr const char* kNextComponent = ">>";
inline constexpr const char* kNextComponentTip = "Goto NEXT Component in the sequence";
inline constexpr const char* kDeleteComponent = "Delete Whole Component";
inline constexpr const char* kDeleteComponentTip = "Deletes an entire Component from records";
inline constexpr const char* kFirst = "First";
inline constexpr const char* kFirstTip = "Goto FIRST record/pin/component in the sequence (index=2)";
inline constexpr const char* kLast = "Last";
inline constexpr const char* kLastTip = "Goto LAST record/pin/component in the sequence";
inline constexpr const char* kDeletePin = "Delete Single Pin Record";
inline constexpr const char* kDeletePinTip = "Deletes single record/pin";

inline constexpr const char* kStep3 =
    "3. Adjust the image to show the Component (e.g. IC17, CONN23, PL7, U56 etc..):";
inline constexpr const char* kZoomIn = "ZOOM +";
inline constexpr const char* kZoomOut = "ZOOM -";
inline constexpr const char* kZoomAll = "ZOOM ALL";
inline constexpr const char* kSelectZoomWindow = "SELECT ZOOM WINDOW";
inline constexpr const char* kUp = "UP";
inline constexpr const char* kDown = "DOWN";
inline constexpr const char* kLeft = "LEFT";
inline constexpr const char* kRight = "RIGHT";
inline constexpr const char* kCentre = "CENTRE";

inline constexpr const char* kStep4 =
    "4. Name the Component you want to add (e.g. IC17, CONN23, PL7, U56 etc..):";
inline constexpr const char* kAutoIncrement = "Auto Increment Component Number";

inline constexpr const char* kStep5 = "5. Select the Component type & quantity of pins:";

inline constexpr const char* kStep6 = "6. New Component will be created AFTER the current Component:";
inline constexpr const char* kStep6a = "6a. Move the posistion of a single pin:";
inline constexpr const char* kCreateComponent = "Create New Component";
inline constexpr const char* kMovePin = "Move Pin";

inline constexpr const char* kStep7 =
    "7. Follow instructions on PCB image, use (single left mouse click) to ident pin location.";
inline constexpr const char* kStep7b = "To create another Component record, goto step 2.";
inline constexpr const char* kStep7c =
    "Ensure you SAVE any changes (or to save as a different file - use the main menu):";
inline constexpr const char* kQuickSave = "Quick Save";

// The data grid.
inline constexpr const char* kHeaderLabel = "Data";
inline constexpr const char* kDisplayLabel = ".EPT file > ";
inline constexpr const char* kEntryLabel = "To write > ";
inline constexpr const char* kRecordStart = "#record";
inline constexpr const char* kWriteEntryRow = "< Update Single Pin Record Only";
inline constexpr const char* kUpdate = "^Update^";
inline constexpr const char* kUpdateDescriptionTip =
    "Updates all the descriptions for the current Component";
inline constexpr const char* kUpdateComponentTip =
    "Updates the current Component name (will also rebuild Description record)";
inline constexpr const char* kUpdateViewTip = "Updates the View/Zoom for the current Component";

// Our own addition: the entry row is rewritten by every refresh.
inline constexpr const char* kEntryRowTip =
    "Values typed here are written only by \"< Update Single Pin Record Only\"; "
    "moving to another record reloads this row and loses them";

}  // namespace vanto::editor_text
