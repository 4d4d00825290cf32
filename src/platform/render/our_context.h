// OpenGL contexts as the render layer tracks them: the pair of window and context, the current one,
// the stage context of the game window and the OpenGL version read from it.
#pragma once

#include <compare>

struct SDL_Window;

namespace Ravel {

// One OpenGL context and the window it draws into; compared and ordered as a pair.
struct OurContext {
    SDL_Window* window = nullptr;
    void* gl = nullptr; // SDL_GLContext

    // Makes this context current unless it already is (by our own bookkeeping) and force is false;
    // a context without a GL part releases the current one.
    void use(bool force = false) const;

    bool isNull() const { return window == nullptr && gl == nullptr; }
    bool operator==(const OurContext&) const = default;
    auto operator<=>(const OurContext&) const = default;

    // The context last made current through use().
    static OurContext gCur;
};

// The context the system holds current now; when it is the one gCur names, that one.
OurContext GetCurrentContext();
// use() without forcing, for a context saved with GetCurrentContext.
void UseSavedContext(const OurContext& saved);

// Saves the current context and puts it back on every way out of the scope.
class SavedContext {
public:
    SavedContext()
        : mSaved(GetCurrentContext())
    {
    }
    ~SavedContext() { UseSavedContext(mSaved); }
    SavedContext(const SavedContext&) = delete;
    SavedContext& operator=(const SavedContext&) = delete;

private:
    OurContext mSaved;
};

// The game window's context; setting it reads openGLVersion from it.
void SetStageContext(const OurContext& context);
const OurContext& GetStageContext();
void UseStageContext();
// Forgets the stage context (the window that held it is gone); openGLVersion stays.
void ClearStageContext();

// The stage context's OpenGL version rounded to one decimal; 0 until a stage context was set.
extern float openGLVersion;

// The version number at the head of a GL_VERSION text ("1.5 NVIDIA-1.4.18" -> 1.5), rounded to one
// decimal; 0 when the text does not start with a number.
float ParseGLVersion(const char* versionText);

} // namespace Ravel
