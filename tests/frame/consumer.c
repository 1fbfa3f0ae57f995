/* A driver written in C: converts an empty packed ticket to ovra text through
 * an output object laid out as the header describes. */
#include <ovrabjt/ovrabjt.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct Output {
  XmlOutputCallback base; /* first, so the module sees an XmlOutputCallback */
  char text[4096];
  size_t length;
};

static OvraBool Write(XmlOutputCallback* self, const char* bytes, uint32_t count) {
  struct Output* out = (struct Output*)self;
  if (out->length + count >= sizeof out->text) return 0;
  memcpy(out->text + out->length, bytes, count);
  out->length += count;
  return 1;
}

static OvraBool Indent(XmlOutputCallback* self) {
  (void)self;
  return 0;
}

static const XmlOutputCallbackOps kOps = {Write, Indent};

int main(void) {
  static unsigned char packed[34368];
  struct Output out = {{&kOps}, {0}, 0};
  if (!ConvertBJTToOvraStream(u"" DTD_DIR "/ticket.xml", packed, &out.base)) {
    fprintf(stderr, "conversion failed\n");
    return 1;
  }
  out.text[out.length] = 0;
  /* Indent is 0: no line break after the document type. */
  if (!strstr(out.text, "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\"><ovra ")) {
    fprintf(stderr, "unexpected text: %s\n", out.text);
    return 1;
  }
  AttrNodeList* list = CreateEmptyMPSContents();
  if (!list) return 1;
  ReleaseOvraBjtANL(list);
  if (sizeof(MediaRecord) != 350) return 1;
  return 0;
}
