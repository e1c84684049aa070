#pragma once
// Keeps a dataset's controls from repainting for the lifetime of the object
// and enables them again on every way out, an exception included.
#include "platform/db/dataset.h"
#include <exception>

class TControlsDisabled {
public:
    explicit TControlsDisabled(TDataSet& dataSet) : dataSet_(dataSet) { dataSet_.DisableControls(); }
    // Enabling tells the controls what changed meanwhile, and a control may
    // fail at that. Leaving normally, that error goes on to the caller; while
    // an error is already leaving, that first error is the one reported.
    ~TControlsDisabled() noexcept(false)
    {
        if (std::uncaught_exceptions() == unwinding_) {
            dataSet_.EnableControls();
            return;
        }
        try {
            dataSet_.EnableControls();
        } catch (...) {
        }
    }
    TControlsDisabled(const TControlsDisabled&) = delete;
    TControlsDisabled& operator=(const TControlsDisabled&) = delete;

private:
    TDataSet& dataSet_;
    const int unwinding_ = std::uncaught_exceptions();
};
