// The module's single application object: it starts the XML library when the
// module is loaded and stops it when the module is unloaded.
#pragma once

namespace ovrabjt {

class COvraBjt {
 public:
  // InitInstance - starts the XML library. Never fails the load: when the
  // library cannot start, the first document made later tries again.
  bool InitInstance();

  // ExitInstance - stops the XML library for good; returns 0 as the
  // framework's exit code, whatever happened.
  int ExitInstance();
};

// The module's one instance.
COvraBjt& TheApp();

}  // namespace ovrabjt
