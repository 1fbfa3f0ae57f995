/* A driver written in C, built against the installed library through
 * pkg-config: converts the document JOB both ways with the installed
 * document types (DTD_DIR), through an output object laid out as the header
 * describes, and uses the header's constants. */
#include <ovrabjt/ovrabjt.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct Output {
  XmlOutputCallback base; /* first, so the module sees an XmlOutputCallback */
  char text[65536];
  size_t length;
  OvraBool indent;
};

static OvraBool Write(XmlOutputCallback* self, const char* bytes, uint32_t count) {
  struct Output* out = (struct Output*)self;
  if (out->length + count >= sizeof out->text) return 0;
  memcpy(out->text + out->length, bytes, count);
  out->length += count;
  return 1;
}

static OvraBool Indent(XmlOutputCallback* self) { return ((struct Output*)self)->indent; }

static const XmlOutputCallbackOps kOps = {Write, Indent};

static int Fail(const char* what) {
  fprintf(stderr, "c consumer: %s\n", what);
  return 1;
}

/* The packed ticket of the ovra document `file`, in a block of its own. */
static unsigned char* Load(const char* file, uint32_t* size) {
  void* block = NULL;
  if (!LoadOvra(file, DTD_DIR "/job.xml", NULL, &block, size)) return NULL;
  unsigned char* ticket = malloc(*size);
  if (ticket != NULL && !LoadOvra(NULL, NULL, ticket, &block, size)) {
    free(ticket);
    return NULL;
  }
  return ticket;
}

static char* ReadText(const char* file) {
  static char text[65536];
  FILE* f = fopen(file, "rb");
  if (f == NULL) return NULL;
  size_t got = fread(text, 1, sizeof text - 1, f);
  fclose(f);
  text[got] = 0;
  return text;
}

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: consumer JOB.xml OUT.xml");
  if (strcmp(OVRABJT_VERSION, EXPECTED_VERSION) != 0) return Fail("version macro differs");
  if (strcmp(OVRABJT_DOCUMENT_TYPE, "ovra-v02012.dtd") != 0) return Fail("document type macro");

  /* Document -> packed ticket -> document -> packed ticket: the same bytes. */
  uint32_t size = 0, again_size = 0;
  unsigned char* ticket = Load(argv[1], &size);
  if (ticket == NULL || size <= OVRABJT_TICKET_SIZE) return Fail("LoadOvra of the document");
  if (!SaveOvra(argv[2], DTD_DIR "/out.xml", ticket)) return Fail("SaveOvra");
  unsigned char* again = Load(argv[2], &again_size);
  if (again == NULL || again_size != size || memcmp(again, ticket, size) != 0)
    return Fail("the saved document does not load back into the same packed ticket");

  /* The stream gives the saved document's text. */
  static struct Output out;
  out.base.ops = &kOps;
  out.indent = 1;
  if (!ConvertBJTToOvraStream(u"" DTD_DIR "/job.xml", ticket, &out.base))
    return Fail("ConvertBJTToOvraStream");
  out.text[out.length] = 0;
  const char* saved = ReadText(argv[2]);
  if (saved == NULL || strcmp(saved, out.text) != 0) return Fail("stream and file differ");

  /* Without the document types in its folder, the base name fails. */
  if (ConvertBJTToOvraStream(u"/nonexistent/job.xml", ticket, &out.base))
    return Fail("a base name without the document type converted");

  /* An empty packed ticket, without indentation: no line break after the
   * document type. */
  static unsigned char empty[OVRABJT_TICKET_SIZE];
  out.length = 0;
  out.indent = 0;
  if (!ConvertBJTToOvraStream(u"" DTD_DIR "/ticket.xml", empty, &out.base))
    return Fail("conversion of the empty ticket failed");
  out.text[out.length] = 0;
  if (!strstr(out.text, "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\"><ovra "))
    return Fail("unexpected text of the empty ticket");

  static const char kesp[] =
      "<kesp><halftone-graphics-supported syntax=\"1setOf\"><value syntax=\"keyword\">fine</value>"
      "</halftone-graphics-supported></kesp>";
  AttrNodeList* caps = GetPrinterCapInfofromBuffer(kesp, (int32_t)strlen(kesp));
  int32_t needed = -1;
  if (caps == NULL ||
      !GetSpecificKespInfo(caps, OVRABJT_CAP_HALFTONE_GRAPHICS, 16, NULL, &needed) || needed != 16)
    return Fail("capability by its named selector");
  ReleaseOvraBjtANL(caps);

  AttrNodeList* list = CreateEmptyMPSContents();
  if (!list) return Fail("CreateEmptyMPSContents");
  MediaRecord medium;
  memset(&medium, 0, sizeof medium);
  if (!AddStockToMPSContents(list, OVRABJT_STOCKS_MEDIA_USER_DEFINED, &medium) ||
      AddStockToMPSContents(list, OVRABJT_STOCKS_MEDIA_COL_DATABASE, &medium))
    return Fail("stock lists by their named kinds");
  ReleaseOvraBjtANL(list);
  if (sizeof(MediaRecord) != 350) return Fail("MediaRecord is not 350 bytes");
  free(ticket);
  free(again);
  puts("c consumer ok");
  return 0;
}
