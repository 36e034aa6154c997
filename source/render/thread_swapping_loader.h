#pragma once
// An asset loaded in two halves that joins the scene only when its owner swaps it in, on the
// render thread, after its render-thread half is done.
class ThreadSwappingLoader {
public:
    virtual ~ThreadSwappingLoader() = default;
    virtual void swapIn() = 0;
    // True from the end of the render-thread half until swapIn.
    virtual bool isLoading() const = 0;
};
