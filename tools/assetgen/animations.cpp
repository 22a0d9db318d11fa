// The sixteen animations of the set, as poses described by a few numbers. Angles are
// degrees, clockwise on screen: a hanging limb at a positive angle swings to the left of
// the screen (forward, for a figure facing left).
#include "skeleton.h"

namespace assetgen {

namespace {
PoseParams Front() { return PoseParams{}; }

PoseParams Back() {
    PoseParams p;
    p.view = View::Back;
    return p;
}

PoseParams Side() {
    PoseParams p;
    p.view = View::Left;
    p.armA = {0, 6};
    p.armB = {0, 6};
    p.legA = {0, 0};
    p.legB = {0, 0};
    p.torso = -2;
    return p;
}

Animation Make(const char* name, bool loops, std::vector<KeyFrame> frames) {
    return Animation{name, loops, std::move(frames)};
}

Animation WalkLeft() {
    std::vector<KeyFrame> f;
    // Contact: far leg forward, near leg back, arms opposite.
    PoseParams c = Side();
    c.torso = -4;
    c.y = 0.6;
    c.legA = {28, -6};
    c.legB = {-24, -14};
    c.armA = {-22, 12};
    c.armB = {26, 28};
    // Passing: far leg under the body, near leg swinging through with the knee bent.
    PoseParams p = Side();
    p.torso = -3;
    p.y = -1.4;
    p.legA = {-3, 3};
    p.legB = {14, -50};
    p.armA = {0, 8};
    p.armB = {2, 10};
    PoseParams c2 = c;
    std::swap(c2.legA, c2.legB);
    c2.armA = {26, 28};
    c2.armB = {-22, 12};
    PoseParams p2 = p;
    std::swap(p2.legA, p2.legB);
    f.push_back(MakePose(c, 170));
    f.push_back(MakePose(p, 170));
    f.push_back(MakePose(c2, 170));
    f.push_back(MakePose(p2, 170));
    return Make("andar_izquierda", true, f);
}

// Seen from the front or the back a leg swinging forward hardly shows; what reads at 80
// pixels is the foot lifting with the knee, the body swaying onto the straight leg and
// bobbing up as the feet pass, and the arms swinging out.
Animation WalkFrontBack(View v, const char* name) {
    PoseParams base = v == View::Front ? Front() : Back();
    std::vector<KeyFrame> f;
    PoseParams a = base;
    a.legA = {9, -12, NAN, -9};
    a.legB = {-3, 3};
    a.y = -0.6;  // the sway tips the standing foot down: keep it on the ground
    a.x = 1.8;
    a.hips = -4;
    a.torso = 3;
    a.head = -3;
    a.armA = {24, -22};
    a.armB = {-12, 20};
    PoseParams up = base;
    up.y = -1.8;
    up.legA = {3, -3};
    up.legB = {-3, 3};
    PoseParams b = base;
    b.legB = {-9, 12, NAN, -9};
    b.legA = {3, -3};
    b.y = -0.6;
    b.x = -1.8;
    b.hips = 4;
    b.torso = -3;
    b.head = 3;
    b.armA = {12, -20};
    b.armB = {-24, 22};
    f.push_back(MakePose(a, 165));
    f.push_back(MakePose(up, 165));
    f.push_back(MakePose(b, 165));
    f.push_back(MakePose(up, 165));
    return Make(name, true, f);
}

Animation Celebrate() {
    PoseParams crouch = Front();
    crouch.headPart = Part::HeadHappy;
    crouch.y = 2;
    crouch.torsoY = 0.6;
    crouch.legA = {22, -38};
    crouch.legB = {-22, 38};
    crouch.armA = {135, -25};
    crouch.armB = {-135, 25};
    PoseParams jump = crouch;
    jump.y = -11;
    jump.torsoY = 0;
    jump.legA = {10, -22};
    jump.legB = {-10, 22};
    jump.armA = {166, -8};
    jump.armB = {-166, 8};
    PoseParams peak = jump;
    peak.y = -13;
    peak.legA = {16, -32};
    peak.legB = {-16, 32};
    peak.armA = {152, 18};
    peak.armB = {-152, -18};
    peak.head = 4;
    PoseParams land = jump;
    land.y = -3;
    land.legA = {6, -8};
    land.legB = {-6, 8};
    land.armA = {148, -12};
    land.armB = {-148, 12};
    return Make("celebrar", true,
                {MakePose(crouch, 140), MakePose(jump, 160), MakePose(peak, 160),
                 MakePose(land, 140)});
}

// The whole body says it: sagging knees, a hanging head and dropped shoulders, and in
// between a helpless shrug with the palms out.
Animation Disappointed() {
    PoseParams slump = Front();
    slump.headPart = Part::HeadSad;
    slump.headY = 4;
    slump.shoulderY = 3;
    slump.torsoY = 1.5;
    slump.y = 2.5;
    slump.legA = {-4, 7};
    slump.legB = {4, -7};
    slump.armA = {-3, 4};
    slump.armB = {3, -4};
    slump.head = -10;
    PoseParams shrug = slump;
    shrug.headY = 2;
    shrug.shoulderY = -1.5;
    shrug.torsoY = 0.5;
    shrug.y = 1.5;
    shrug.head = 8;
    shrug.armA = {14, 72};  // elbows in, forearms out: palms up
    shrug.armB = {-14, -72};
    PoseParams sag = slump;
    sag.head = -6;
    sag.y = 3.2;
    sag.torsoY = 2;
    PoseParams sigh = slump;
    sigh.head = 4;
    return Make("decepcion", true,
                {MakePose(slump, 380), MakePose(shrug, 380), MakePose(sag, 380), MakePose(sigh, 380)});
}

Animation Waiting() {
    PoseParams rest = Front();
    PoseParams left = rest;
    left.x = 1.4;
    left.hips = -2;
    left.torso = 2;
    left.headView = static_cast<int>(View::Left);
    left.armA = {10, -8};
    left.armB = {-5, 2};
    left.legA = {0, 0};
    left.legB = {-5, 3};
    PoseParams mid = rest;
    mid.headY = -0.2;
    PoseParams right = rest;
    right.x = -1.4;
    right.hips = 2;
    right.torso = -2;
    right.headView = static_cast<int>(View::Right);
    right.armA = {5, -2};
    right.armB = {-10, 8};
    right.legA = {5, -3};
    right.legB = {0, 0};
    return Make("esperar", true,
                {MakePose(rest, 700), MakePose(left, 900), MakePose(mid, 500),
                 MakePose(right, 900)});
}

// Arm A holds the disc; the thrower faces the player (front view).
PoseParams AimEnd() {
    PoseParams p = Front();
    p.disc = true;
    p.armA = {122, 68};
    p.armB = {-32, -18};
    p.torso = -4;
    p.head = -3;
    p.legA = {9, -5};
    p.legB = {-9, 5};
    return p;
}

Animation Aiming() {
    PoseParams hold = Front();
    hold.disc = true;
    hold.armA = {-20, -92};
    PoseParams back = AimEnd();
    back.armA = {100, 58};
    back.torso = -2;
    return Make("apuntar", false,
                {MakePose(hold, 120), MakePose(back, 200), MakePose(AimEnd(), 300)});
}

Animation Throwing() {
    PoseParams whip = AimEnd();
    whip.disc = false;
    whip.armA = {172, 0};
    whip.torso = 0;
    PoseParams forward = whip;
    forward.armA = {-38, -28};
    forward.torso = 5;
    forward.head = 3;
    forward.armB = {-12, 6};
    PoseParams settle = forward;
    settle.armA = {-18, -12};
    settle.torso = 2;
    settle.head = 1;
    return Make("lanzar", false,
                {MakePose(AimEnd(), 70), MakePose(whip, 90), MakePose(forward, 120),
                 MakePose(settle, 200)});
}

Animation Catching() {
    PoseParams start = Front();
    start.armA = {60, -20};
    start.armB = {-60, 20};
    PoseParams reach = Front();
    reach.y = -3;
    reach.armA = {166, 14};
    reach.armB = {-166, -14};
    reach.legA = {4, -6};
    reach.legB = {-4, 6};
    PoseParams hold = Front();
    hold.headPart = Part::HeadHappy;
    hold.armA = {-16, -100};
    hold.armB = {16, 100};
    return Make("atrapar", false, {MakePose(start, 90), MakePose(reach, 170), MakePose(hold, 200)});
}

Animation CoderAtWork() {
    PoseParams p = Back();
    p.y = 9;
    p.hideLegs = true;
    p.armsBehind = true;
    p.headY = 0.6;
    std::vector<KeyFrame> f;
    const double arms[4][4] = {{35, -120, -35, 120}, {39, -127, -31, 115},
                               {33, -115, -38, 127}, {37, -124, -34, 118}};
    const double heads[4] = {2, 0, -2, 0};
    for (int i = 0; i < 4; ++i) {
        p.armA = {arms[i][0], arms[i][1]};
        p.armB = {arms[i][2], arms[i][3]};
        p.head = heads[i];
        p.torsoY = i == 3 ? -0.3 : 0;
        f.push_back(MakePose(p, 80));
    }
    return Make("programar", true, f);
}

Animation BossWorking() {
    PoseParams p = Back();
    p.armsBehind = true;
    std::vector<KeyFrame> f;
    const double poses[4][6] = {{30, -110, -22, 92, 4, 0},
                                {25, -100, -40, 150, 0, 0.5},
                                {32, -112, -38, 146, -3, 0.8},
                                {28, -104, -24, 96, 2, 0}};
    for (auto& q : poses) {
        p.armA = {q[0], q[1]};
        p.armB = {q[2], q[3]};
        p.head = q[4];
        p.x = q[5];
        f.push_back(MakePose(p, 360));
    }
    return Make("jefe_trabajando", true, f);
}

PoseParams HandsOnHips() {
    PoseParams p = Front();
    p.headPart = Part::HeadAngry;
    p.armA = {40, -102};
    p.armB = {-40, 102};
    p.legA = {6, -4};
    p.legB = {-6, 4};
    return p;
}

Animation BossWatching() {
    PoseParams a = HandsOnHips();
    a.head = -5;
    PoseParams b = HandsOnHips();
    b.head = 5;
    b.x = 0.6;
    b.torso = 1.5;
    return Make("jefe_vigilando", true, {MakePose(a, 650), MakePose(b, 650)});
}

Animation BossCatching() {
    PoseParams a = HandsOnHips();
    a.armA = {58, 8};
    a.handA = Part::HandPoint;
    a.torso = 3;
    PoseParams b = a;
    b.armA = {72, 14};
    b.y = -1.5;
    b.head = -4;
    return Make("jefe_pillando", true, {MakePose(a, 110), MakePose(b, 110)});
}
}  // namespace

std::vector<Animation> BuildAnimations() {
    std::vector<Animation> a(16);
    a[0] = Make("referencia", true, {MakePose(Front(), 1000)});
    PoseParams breathe = Front();
    breathe.torsoY = -0.5;
    breathe.headY = -0.3;
    breathe.armA = {8, -5};
    breathe.armB = {-8, 5};
    a[1] = Make("de_pie", true, {MakePose(Front(), 900), MakePose(breathe, 900)});
    a[2] = WalkLeft();
    a[3] = WalkFrontBack(View::Front, "andar_abajo");
    a[4] = WalkFrontBack(View::Back, "andar_arriba");
    a[5] = Celebrate();
    a[6] = Disappointed();
    a[7] = a[2];
    a[7].name = "andar_derecha";
    for (KeyFrame& k : a[7].frames) k = Mirror(k);
    a[8] = Waiting();
    a[9] = Aiming();
    a[10] = Catching();
    a[11] = Throwing();
    a[12] = CoderAtWork();
    a[13] = BossWorking();
    a[14] = BossWatching();
    a[15] = BossCatching();
    return a;
}

}  // namespace assetgen
