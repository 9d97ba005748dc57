// Identifiers shared by the animated instructions' resource script and its code.
#ifndef INSTRUCTIONS_IDS_H
#define INSTRUCTIONS_IDS_H

#define IDI_INSTRUCTIONS          100

#define IDS_WINDOW_TITLE          1
#define IDS_HINT                  2
// Each scene has a caption and a line that explains it: caption 10 + scene, detail 20 + scene.
#define IDS_SCENE_CAPTION_FIRST   10
#define IDS_SCENE_DETAIL_FIRST    20

#endif
