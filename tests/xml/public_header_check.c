/* The public header must compile as C. */
#include <ovrabjt/ovrabjt.h>

OvraBool OvrabjtCHeaderCheck(XmlOutputCallback* output);
OvraBool OvrabjtCHeaderCheck(XmlOutputCallback* output) { return output != 0; }
