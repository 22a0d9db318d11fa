#pragma once
// The five looks that dress the one skeleton (four programmers and the girl), and the
// catalogue of bone pictures every pack holds under the same graph numbers.
//
// Bone pictures are drawn in figure units (a figure is about 74 units tall at size 1,
// origin on the ground between the feet) with the bone's joint at (0, 0) and the bone
// hanging straight down (limbs) or standing straight up (torso, neck, head) at angle 0.
#include "draw.h"

#include <string>
#include <vector>

namespace assetgen {

enum class HairStyle { Spiky, Short, Long, Curly, Ponytail };

struct Look {
    std::string name;    // pack file stem: "tarsun", "er_varsen", ...
    std::string folder;  // character folder of the hose picture ("" for the girl)
    Rgb skin, hair, shirt, pants, shoes, eyes;
    Rgb accent;          // cap, headphones, hair band...
    HairStyle hairStyle = HairStyle::Short;
    bool glasses = false, beard = false, cap = false, headphones = false;
    bool skirt = false, longSleeves = false;
    int emblem = 0;  // chest print: 0 none, 1 braces, 2 stripes, 3 skull, 4 pocket, 5 heart
};

// 0 Tarsun, 1 Er_Varsen, 2 Quelbido, 3 Pexil, 4 the girl (pack index order).
const std::vector<Look>& Looks();
// The board's name colour of each playable character (0..3).
Rgb NameColour(int character);

// Views of the figure; each has its own set of pictures.
enum class View { Front = 0, Back = 1, Left = 2, Right = 3 };

enum class Part {
    Hips = 0,
    Torso,
    Neck,
    Head,
    HeadHappy,
    HeadSad,
    HeadAngry,
    UpperArm,
    Forearm,
    Hand,
    HandPoint,
    Thigh,
    Shin,
    Foot,
    Count
};

// Side of a sided part: in the front and back views 0 is the limb on the left of the
// screen and 1 the one on the right (mirror images); in side views 0 is the far limb
// (darker, behind the body) and 1 the near one.
struct GraphDesign {
    int id = 0;
    View view = View::Front;
    Part part = Part::Hips;
    int side = 0;
    bool disc = false;  // the CD held while aiming
};

// Graph number of a picture: the same in every pack.
int GraphId(View v, Part p, int side = 0);
inline constexpr int kDiscGraph = 161;

// Every picture a pack holds, in graph number order.
const std::vector<GraphDesign>& GraphCatalogue();

// Resolution of the pack pictures: pixels per figure unit. Key frames scale every bone
// picture by 1 / kPackScale, so figures keep their size while the board portrait (drawn
// six times larger) stays sharp.
inline constexpr double kPackScale = 4.0;

// Draws one bone picture of a look in figure units, joint at (0, 0).
void DrawGraph(cairo_t* cr, const Look& look, const GraphDesign& g);
// Body pieces (parts_body.cpp) and heads (parts_head.cpp), view Left for side views.
void DrawBodyPart(cairo_t* cr, const Look& look, View v, Part p, int side);
void DrawHead(cairo_t* cr, const Look& look, View v, Part expression);
void DrawDisc(cairo_t* cr, double r);

// Outline width of the figures, in figure units.
inline constexpr double kFigureLine = 1.3;

}  // namespace assetgen
