/* Resource ids shared by trellimux.rc and the program's code. Plain C
   defines, so that the resource compiler can read them too. */
#ifndef TRELLIMUX_RESOURCE_IDS_H
#define TRELLIMUX_RESOURCE_IDS_H

#define TRELLIMUX_ICON 31000
#define TRELLIMUX_BACKGROUND_BITMAP 31001
#define TRELLIMUX_PANEL_BITMAP 31002
#define TRELLIMUX_TITLE_BITMAP 31003

#endif /* TRELLIMUX_RESOURCE_IDS_H */
