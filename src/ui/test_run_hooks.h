// The window-side operations the test run calls but does not own: the
// interface refresh, the freeze toggles, the trees, a marked record's
// results and the record editor. Main thread only.
#pragma once

namespace vanto {

class TestRunHooks {
 public:
  virtual ~TestRunHooks() = default;
  // Brings every control in line with the state.
  virtual void RefreshInterface() = 0;
  // Shows the freeze toggles as FreezeState has them: down or up, with the
  // caption that goes with it ("Golden Frozen" or "Freeze Golden").
  virtual void ShowFreezeToggles() = 0;
  // Refreshes the test tree, then the bad-record tree.
  virtual void RefreshTrees() = 0;
  // A record was just marked Good or Bad: its tree items and the pass
  // rates follow at once, without waiting for the next full refresh.
  virtual void ShowMarkedRecord(int row) = 0;
  // Removes every item of the test tree.
  virtual void ClearTestTree() = 0;
  // Opens the record editor and returns when it is closed.
  virtual void OpenRecordEditor() = 0;
};

}  // namespace vanto
