/* Resource identifiers shared by the programs' .rc files and the windows that
   load them. Only #define lines: the resource compiler reads this file too. */
#ifndef NUDGEKEY_RESOURCE_IDS_H
#define NUDGEKEY_RESOURCE_IDS_H

/* The lowest icon identifier is the program file's own icon. */
#define NUDGEKEY_ICON_MOUSE 1
#define NUDGEKEY_ICON_ARROW_UP 2
#define NUDGEKEY_ICON_ARROW_DOWN 3
#define NUDGEKEY_ICON_ARROW_LEFT 4
#define NUDGEKEY_ICON_ARROW_RIGHT 5
#define NUDGEKEY_ICON_MONITOR 6
#define NUDGEKEY_ICON_BULLET 7
#define NUDGEKEY_BITMAP_TEXTURE 101

#endif
