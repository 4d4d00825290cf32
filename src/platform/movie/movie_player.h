// The intro movie player: a movie decoded with FFmpeg into a BGRA buffer, drawn centred in the game
// window one texel per pixel, its sound through SDL, until it ends or the player clicks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Ravel {

class MoviePlayer {
public:
    virtual ~MoviePlayer() = default;
    // 1 when the movie is ready to play, -1 when it cannot be opened.
    virtual int openFile(const char* path);
    virtual void hideDesktop(bool hide);
    virtual void show();
    virtual void showPoster();
    // 1 when the movie ran to its end, 0 when the player skipped it (a button pressed and released,
    // counted only for a non-zero skip mask), -1 when nothing is open.
    virtual int play(int skipMask);
    virtual void sizeChanged();

    // A new player that plays; the caller deletes it.
    static MoviePlayer* CreateMoviePlayer();
};

class RealMoviePlayer : public MoviePlayer {
public:
    RealMoviePlayer();
    ~RealMoviePlayer() override;
    RealMoviePlayer(const RealMoviePlayer&) = delete;
    RealMoviePlayer& operator=(const RealMoviePlayer&) = delete;

    int openFile(const char* path) override;
    int play(int skipMask) override;
    // Draws the current frame and presents it; nothing without a game window.
    void DrawFrame();
    // DrawFrame without presenting: the frame stays in the back buffer. False without a game window.
    bool renderFrame();

    int movieWidth() const { return mMovieWidth; }
    int height() const { return mHeight; }
    // The width of the buffer's rows: the movie width rounded up to a multiple of 8.
    int rowPixels() const { return mRowPixels; }
    // Frames drawn into the buffer by the last play.
    int framesShown() const { return mFramesShown; }
    // The BGRA pixel at (x, y) of the current frame, 0 outside.
    std::uint32_t pixelAt(int x, int y) const;

private:
    struct Decoder;
    void release();
    bool decodeNextVideoFrame(double* seconds);
    void queueAudio();
    void rewind();

    Decoder* mDecoder = nullptr;
    unsigned mTexture = 0;
    int mRowPixels = 0;
    int mHeight = 0;
    int mMovieWidth = 0;
    std::vector<std::uint8_t> mBuffer; // as allocated: 32 bytes more than the aligned frame
    std::uint8_t* mPixels = nullptr; // the same, from its first 32-byte boundary
    int mFramesShown = 0;
};

// The game's intro: each of the movies in turn, a missing or unreadable one skipped without a word;
// the cursor is hidden after each. folder is prefixed to each name ("avi/oxmedia.mov", ...).
void PlayIntroMovies(const std::string& folder);

} // namespace Ravel
