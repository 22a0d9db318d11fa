#pragma once
// A timed screen's frame timer: measures the time between frames, scales it by a time
// distortion and paces the loop to a fixed frame rate by sleeping. Clock readings are
// subtracted on the wrapping clock, so a machine up for more than 24.8 days is no harm.
#include <cstdint>
#include <memory>
#include <string>

class TTiempo {
public:
    int32_t ultimoTiempo = 0;   // clock (ms) at the last update or at Create
    int32_t ultimoIncReal = 0;  // ms between the last two readings
    float ultimoInc = 0;        // s, distorted
    int32_t sigFrame = 0;       // clock (ms) when the next frame is due
    int32_t tiempoReal = 0;     // ms, sum of real increments
    float timer = 0;            // s, sum of distorted increments
    float tiempoX = 1.0f;       // time distortion, never negative
    int32_t fps = 60;
    int32_t incFrame = 0;       // ms per frame, 1000 div fps

    // fps must be > 0.
    static std::unique_ptr<TTiempo> Create(int fps);
    // Takes one time step; always 0.
    int update();
    // real != 0: undistorted seconds of the last step; 0: distorted seconds.
    float getInc(int real) const;
    float getTimer(int real) const;
    float getDistorsionTiempo() const { return tiempoX; }
    // Negative or NaN stores 0 (freezes the distorted time).
    int setDistorsionTiempo(float x);
    int getFps() const { return fps; }
    // Ignored for n <= 0.
    int setFps(int n);
    // Sleeps until the next frame is due. Frames that ran late are made up by the
    // following ones, which do not sleep until the schedule has caught up; a lag of more
    // than MAX_RETRASO_MS (the loop was away in another loop) starts the schedule again
    // from the clock instead.
    int esperaFrame();
    // ms a schedule may lag behind the clock and still be caught up with.
    static constexpr int32_t MAX_RETRASO_MS = 250;

    // ---- timers that outlast a screen ----
    // A minigame's clock for all its plays carries its past into every later play, so a
    // saved match keeps it. Its owner registers it once (it must outlive the run's saves).
    static void registrarDuradero(const std::string& nombre, TTiempo* t);
    // Every registered timer's state in one line of words, its readings counted from
    // `ahora` (a reading of the same clock): "nombre timer tiempoReal desde siguiente ...".
    static std::string estadoDuraderos(int32_t ahora);
    // Puts the timers back as estadoDuraderos found them, `ahora` standing for the moment
    // it was taken. False, and nothing changed, for a text that is not such a line.
    static bool restaurarDuraderos(const std::string& texto, int32_t ahora);
};
