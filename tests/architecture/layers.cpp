// Run through the preprocessor with one library's include path: the folders
// it may include from are there, and no other. UROK_MAY lists them, as bits:
// content 1, engine 2, controls 4, lesson 8, tasks 16, appearance 32,
// windows 64, app 128.
#define SEES(header, bit) (__has_include(header) != ((UROK_MAY & (bit)) != 0))

#if SEES("content/Catalogue.h", 1) || SEES("engine/LessonState.h", 2)                       \
    || SEES("controls/ListBox.h", 4) || SEES("lesson/Tarv.h", 8) || SEES("tasks/Tarv_n.h", 16) \
    || SEES("appearance/Cwiat.h", 32) || SEES("windows/Tarv_Zad.h", 64)                         \
    || SEES("app/WindowRegistry.h", 128)
#error "this library sees other folders than those it may use"
#endif
