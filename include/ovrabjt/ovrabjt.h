/* ovrabjt - translates a printer job ticket between its binary record and its
 * XML document. This is the interface that a printer driver includes; it is
 * usable from C and from C++. */
#ifndef OVRABJT_OVRABJT_H
#define OVRABJT_OVRABJT_H

#include <stdint.h>

/* One-byte boolean of the interface: 1 true, 0 false. */
typedef uint8_t OvraBool;

#ifdef __cplusplus

/* XmlOutputCallback - where the module hands the XML text it writes. The
 * caller implements it and keeps ownership: the module neither copies nor
 * releases it, hence no virtual destructor.
 *   Write  - take `count` bytes of UTF-8 text; return 0 when the output
 *            failed, which stops the writing.
 *   Indent - whether line breaks and tab indentation are wanted around
 *            elements; 1 unless overridden. */
class XmlOutputCallback {
 public:
  virtual OvraBool Write(const char* bytes, uint32_t count) = 0;
  virtual OvraBool Indent() { return 1; }

 protected:
  XmlOutputCallback() = default;
  XmlOutputCallback(const XmlOutputCallback&) = default;
  XmlOutputCallback& operator=(const XmlOutputCallback&) = default;
  ~XmlOutputCallback() = default;
};

#else

/* C code passes the object along; it is implemented in C++. */
typedef struct XmlOutputCallback XmlOutputCallback;

#endif

#endif /* OVRABJT_OVRABJT_H */
