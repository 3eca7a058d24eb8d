/* The program's version, kept in this one place: the version record of
   trellimux.rc, the window title, the About text and the release's file
   name (scripts/package.sh) all come from it. Plain C defines, so that the
   resource compiler reads them too. */
#ifndef TRELLIMUX_VERSION_H
#define TRELLIMUX_VERSION_H

#define TRELLIMUX_VERSION_MAJOR 1
#define TRELLIMUX_VERSION_MINOR 0
#define TRELLIMUX_VERSION_PATCH 0

#define TRELLIMUX_VERSION_QUOTE_(x) #x
#define TRELLIMUX_VERSION_QUOTE(x) TRELLIMUX_VERSION_QUOTE_(x)
/* "1.0.0" */
#define TRELLIMUX_VERSION_TEXT                   \
  TRELLIMUX_VERSION_QUOTE(TRELLIMUX_VERSION_MAJOR) \
  "." TRELLIMUX_VERSION_QUOTE(TRELLIMUX_VERSION_MINOR) \
  "." TRELLIMUX_VERSION_QUOTE(TRELLIMUX_VERSION_PATCH)

#endif /* TRELLIMUX_VERSION_H */
