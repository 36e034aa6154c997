#pragma once
// How the render task makes the UI's drawing without knowing the UI layer that implements it:
// that layer registers its maker here at static initialisation.
class RenderInterface;
class ThreadResourcePool;
class UIDrawInterface;

using UIDrawMaker = UIDrawInterface* (*)(ThreadResourcePool* renderPool, RenderInterface* renderInterface);

// A later registration replaces the earlier one.
void registerUIDrawMaker(UIDrawMaker maker);

// A new UI drawing owned by the caller, made by the registered maker; null (and logged) when no
// maker has been registered.
UIDrawInterface* makeUIDraw(ThreadResourcePool* renderPool, RenderInterface* renderInterface);
