// The rules of a portrait's DNA, below the drawing: how a child's digits come from his parents', how a
// short or broken DNA reads, and which strip set and frame each pair picks. CPortrait draws by them.
#pragma once

// A face's seven layers, in the order their digit pairs stand and they are drawn.
enum PortraitLayer : int {
    LAYER_HEADS = 0,
    LAYER_EYES = 1,
    LAYER_NOSES = 2,
    LAYER_MOUTHS = 3,
    LAYER_HAIRS = 4,
    LAYER_EARS = 5,
    LAYER_MISC = 6,
};
inline constexpr int kPortraitLayers = 7;
// The strip sets: male light, female light, male dark, female dark.
inline constexpr int kPortraitSets = 4;
// The DNA a missing character is taken from.
inline constexpr const char kDefaultDNA[] = "01020304050607";

class CPortraitDNA {
public:
    // Seven digit pairs, each from second (48 in 100), two new digits (4 in 100) or else from first; out
    // receives the 14 digits and a terminator. The draws come from a generator of their own seeded with
    // seed, so the game's sequence stays as it was. A text shorter than 14 digits reads as '3' past its end.
    static void MergeDNA(char* out, const char* first, const char* second, int seed);

    // The 14 characters a face is drawn from: dna's own, those past its end (or all, for null) from the
    // default DNA; out receives them and a terminator.
    static void CompleteDNA(const char* dna, char (&out)[15]);
    // The layer's pair of a completed DNA as a number 0..99, a character that is no digit counting as 0.
    static int GetPair(const char (&complete)[15], int layer);
    // The frame a pair selects on a strip of that many frames: the pair, or the pair modulo the count
    // when it is not below it; -1 for a strip without frames, whose layer is then left out.
    static int SelectFrame(int pair, int frames);
    // 1 for a woman (gender 1), else 0; 2 more for a culture drawn dark.
    static int ChooseSet(int gender, int culture);
};
