// What the screen shows while fetches run: a progress with a Cancel button that appears once a
// fetch has lasted a second. The window implements it, tests script it.
#pragma once

namespace karvo {

class FetchProgress
{
public:
    virtual ~FetchProgress() = default;
    // steps: the fetches to come (a range's days, 1 for a single file).
    virtual void start(int steps) = 0;
    virtual void advance(int stepsDone) = 0;
    // Called while the transfers run: keeps the window answering without letting a second
    // command start; true once the user has cancelled.
    virtual bool cancelled() = 0;
    virtual void finish() = 0;
};

// Started on creation and finished on every way out of the scope; null: nothing to show.
class ProgressScope
{
public:
    ProgressScope(FetchProgress* progress, int steps)
        : m_progress(progress)
    {
        if (m_progress != nullptr) {
            m_progress->start(steps);
        }
    }
    ~ProgressScope()
    {
        if (m_progress != nullptr) {
            m_progress->finish();
        }
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    FetchProgress* m_progress;
};

} // namespace karvo
