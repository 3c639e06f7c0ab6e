#pragma once

#include "EndEditing.h"
#include "FrontPanelControls.h"
#include "WindowSize.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>

namespace vyrkit
{
// What every meter's editor is built of: a window with two opaque pages of the
// window's size, the front panel (the meter page, FrontPanel::width wide) and the
// back panel (settings), one visible at a time, and a display timer. The meter's
// editor derives from this, registers with its processor first thing, then calls
// openPages; it dispatches its own commands, and switches the pages and applies a
// restored size with what this class offers.
//
// FrontPanel derives from FrontPanelControls and BackPanel is a component; both
// take a pointer to the processor's window-size flag. Message thread only.
template <typename FrontPanel, typename BackPanel>
class TwoPageEditor : public juce::AudioProcessorEditor, public juce::Timer
{
public:
    static constexpr int width = FrontPanel::width;
    static constexpr int largeHeight = FrontPanel::largeHeight;
    static constexpr int smallHeight = FrontPanel::smallHeight;

    static constexpr int heightFor(int sizeFlag) noexcept { return sizeFlag != 0 ? largeHeight : smallHeight; }

    // The two opaque pages cover the window; pink shows where they do not.
    void paint(juce::Graphics& g) override { g.fillAll(juce::Colours::pink); }

    FrontPanel& getFrontPanel() noexcept { return *frontPanel; }
    BackPanel& getBackPanel() noexcept { return *backPanel; }

    // True on the message thread while a display tick holds the callback lock;
    // the tests count the allocations made there.
    static bool displayTickHoldsCallbackLock() noexcept { return tickHoldsLock; }

    // Applies a restored track name and window size (see applySizeMode).
    void setSizeMode(const juce::String& trackName, int size)
    {
        JUCE_ASSERT_MESSAGE_THREAD
        applySizeMode(trackName, size);
    }

protected:
    explicit TwoPageEditor(juce::AudioProcessor& processor) : juce::AudioProcessorEditor(processor) {}

    // Sizes the window from the flag and adds the pages: the back panel hidden,
    // the front panel visible above it.
    void openPages(const juce::String& trackName, std::atomic<int>& sizeFlag)
    {
        windowSizeFlag = &sizeFlag;
        setLookAndFeel(&stockLook);
        setSize(width, heightFor(sizeFlag.load()));

        backPanel = std::make_unique<BackPanel>(&sizeFlag);
        addAndMakeVisible(*backPanel);
        backPanel->setOpaque(true);
        backPanel->setBounds(0, 0, backPanel->getWidth(), backPanel->getHeight());
        backPanel->setVisible(false);

        frontPanel = std::make_unique<FrontPanel>(trackName, &sizeFlag);
        frontPanel->setOpaque(true);
        frontPanel->setBounds(0, 0, frontPanel->getWidth(), frontPanel->getHeight());
        addAndMakeVisible(*frontPanel);
    }

    // Stops the timer and deletes the pages, before the stock look goes.
    void closePages()
    {
        stopTimer();
        backPanel.reset();
        frontPanel.reset();
        setLookAndFeel(nullptr);
    }

    // The back panel takes the window's height each time it is shown, and comes
    // to the front (with the keyboard focus when asked).
    void showBackPanel(bool takeFocus)
    {
        backPanel->setBounds(backPanel->getX(), backPanel->getY(), width, heightFor(windowSizeFlag->load()));
        frontPanel->toBack();
        backPanel->toFront(takeFocus);
        frontPanel->setVisible(false);
        backPanel->setVisible(true);
    }

    void showFrontPanel(bool takeFocus)
    {
        frontPanel->setVisible(true);
        frontPanel->repaint();
        backPanel->setVisible(false);
        frontPanel->toFront(takeFocus);
        backPanel->toBack();
        repaint();
    }

    // A restored track name and window size. The processor's size flag is left
    // as the state restore stored it.
    void applySizeMode(const juce::String& trackName, int size)
    {
        if (size == 0)
            endEditingForSmallWindow(*frontPanel);
        frontPanel->trackNameBox->setText(trackName);
        // The strip shows the new name even when the window keeps its height.
        frontPanel->trackNameBox->repaint();

        const int height = heightFor(size);
        setSize(width, height);
        frontPanel->setSize(width, height);
        backPanel->setSize(width, height);
        frontPanel->getPlusLook().smallWindow = size == 0;
    }

    // The display tick's work on the meters: only if the processor's callback
    // lock is free, read() copies what the tick shows out of the processor's
    // read-out; once the lock is left, show() sets the meters from that copy and
    // repaints them. The audio thread is never waited for, a busy lock skips one
    // tick, and no block waits while the window works (repainting allocates).
    template <typename Read, typename Show>
    void readIfCallbackLockFreeThenShow(Read&& read, Show&& show)
    {
        // The flag is touched before the lock is taken: in a library loaded at run
        // time, a thread's first touch of a thread_local allocates its storage.
        tickHoldsLock = false;
        const auto& lock = processor.getCallbackLock();
        if (! lock.tryEnter())
            return;
        tickHoldsLock = true;
        const auto reading = read();
        tickHoldsLock = false;
        lock.exit();
        show(reading);
    }

    // Controls without a look of their own get the older stock look; it outlives
    // the panels and is detached before it goes.
    juce::LookAndFeel_V2 stockLook;
    std::atomic<int>* windowSizeFlag = nullptr; // the processor's, from openPages on
    std::unique_ptr<BackPanel> backPanel;
    std::unique_ptr<FrontPanel> frontPanel;
    // A press anywhere in the window ends the editing of the track name and
    // latency elsewhere, also on controls that take no keyboard focus.
    EditingEndsOnPressElsewhere pressesElsewhere { *this };

private:
    inline static thread_local bool tickHoldsLock = false;
};
} // namespace vyrkit
