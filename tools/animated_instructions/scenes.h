// The three scenes of the animated instructions and the band with their captions.
#ifndef INSTRUCTIONS_SCENES_H
#define INSTRUCTIONS_SCENES_H

#include "canvas.h"

constexpr int SCENE_COUNT = 3;
constexpr double SCENE_SECONDS = 5.5;

// Window client size, and the height of the picture above the caption band.
constexpr int VIEW_WIDTH = 640;
constexpr int VIEW_HEIGHT = 440;
constexpr int PICTURE_HEIGHT = 330;

// Draws the shapes of scene `scene` (0 to 2) at `seconds` into it.
void draw_scene(Canvas* canvas, int scene, double seconds);

// Draws the shapes of the caption band: step badge, progress and the step dots.
void draw_caption_band(Canvas* canvas, int scene, double seconds);

// Lays the texts over the resolved frame: step number, caption, explanation and hint.
void draw_caption_texts(Canvas* canvas, int scene, HFONT number_font, HFONT caption_font,
                        HFONT detail_font, HFONT hint_font);

// How much of the picture is still faded to white at the start of a scene (1: all, 0: none).
double scene_fade(double seconds);

// Mixes the frame's pixels in a rectangle towards a colour (amount 0 to 1).
void fade_frame(Canvas* canvas, int x0, int y0, int x1, int y1, COLORREF colour, double amount);

#endif
