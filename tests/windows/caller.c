/* A driver written in C that loads ovrabjt.dll at run time (LoadLibraryW)
 * through the installed header: converts the document JOB to a packed
 * ticket and back with the installed document types in DTD_DIR, and saves
 * it.  caller DLL DTD_DIR JOB OUT */
#include <windows.h>

#include <ovrabjt/ovrabjt.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The exports' types, held to the header's declarations: comparing
 * pointers of different types does not compile (unevaluated, so nothing is
 * linked). */
typedef OvraBool (*LoadOvraFn)(const char*, const char*, void*, void**, uint32_t*);
typedef OvraBool (*SaveOvraFn)(const char*, const char*, const void*);
typedef OvraBool (*ConvertFn)(const char16_t*, const void*, XmlOutputCallback*);
typedef char kLoadOvraMatches[sizeof(&LoadOvra == (LoadOvraFn)0)];
typedef char kSaveOvraMatches[sizeof(&SaveOvra == (SaveOvraFn)0)];
typedef char kConvertMatches[sizeof(&ConvertBJTToOvraStream == (ConvertFn)0)];

struct Output {
  XmlOutputCallback base; /* first, so the module sees an XmlOutputCallback */
  char text[65536];
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
  return 1;
}

static const XmlOutputCallbackOps kOps = {Write, Indent};

static int Fail(const char* what) {
  fprintf(stderr, "c caller: %s\n", what);
  return 1;
}

static wchar_t* WideOf(const char* text) {
  static wchar_t wide[1024];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 1024) == 0) return NULL;
  return wide;
}

int main(int argc, char** argv) {
  if (argc != 5) return Fail("usage: caller DLL DTD_DIR JOB OUT");
  HMODULE dll = LoadLibraryW(WideOf(argv[1]));
  if (dll == NULL) return Fail("LoadLibraryW");
  LoadOvraFn load = (LoadOvraFn)(void (*)(void))GetProcAddress(dll, "LoadOvra");
  SaveOvraFn save = (SaveOvraFn)(void (*)(void))GetProcAddress(dll, "SaveOvra");
  ConvertFn convert = (ConvertFn)(void (*)(void))GetProcAddress(dll, "ConvertBJTToOvraStream");
  if (!load || !save || !convert) return Fail("GetProcAddress of the exports");

  char base[1024];
  snprintf(base, sizeof base, "%s/job.xml", argv[2]);
  void* block = NULL;
  uint32_t size = 0;
  if (!load(argv[3], base, NULL, &block, &size) || size <= OVRABJT_TICKET_SIZE)
    return Fail("LoadOvra of the document");
  unsigned char* ticket = malloc(size);
  if (ticket == NULL || !load(NULL, NULL, ticket, &block, &size)) return Fail("LoadOvra's copy");

  /* The wide base name, as the stream takes it. */
  static char16_t base16[1024];
  size_t i;
  for (i = 0; base[i] != 0 && i + 1 < 1024; ++i) base16[i] = (unsigned char)base[i];
  static struct Output out;
  out.base.ops = &kOps;
  if (!convert(base16, ticket, &out.base)) return Fail("ConvertBJTToOvraStream");
  out.text[out.length] = 0;
  if (strstr(out.text, "<!DOCTYPE ovra SYSTEM \"" OVRABJT_DOCUMENT_TYPE "\">") == NULL)
    return Fail("the stream's document");
  if (!save(argv[4], base, ticket)) return Fail("SaveOvra");

  /* The saved file is the streamed text, byte for byte. */
  FILE* saved = fopen(argv[4], "rb");
  static char text[65536];
  size_t got = saved ? fread(text, 1, sizeof text, saved) : 0;
  if (saved) fclose(saved);
  if (got != out.length || memcmp(text, out.text, got) != 0) return Fail("file and stream differ");
  /* And it loads back into the same packed ticket. */
  uint32_t again_size = 0;
  if (!load(argv[4], base, NULL, &block, &again_size) || again_size != size)
    return Fail("LoadOvra of the saved document");
  unsigned char* again = malloc(again_size);
  if (again == NULL || !load(NULL, NULL, again, &block, &again_size) ||
      memcmp(again, ticket, size) != 0)
    return Fail("the saved document does not load back into the same packed ticket");
  free(again);
  free(ticket);
  if (!FreeLibrary(dll)) return Fail("FreeLibrary");
  puts("c caller ok");
  return 0;
}
