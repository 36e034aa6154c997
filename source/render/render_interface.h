#pragma once
// The meeting point of the update thread and the render thread: render objects by type name,
// settings, requests and status, each field owned by one side and brought into step by swapFrame
// during the frame hand-off.
#include <array>
#include <atomic>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/game_state_status_sink.h"
#include "app/parameter_manager.h"
#include "app/typed_parameters.h"
#include "platform/thread.h"
#include "render/ordered_pointer_set.h"
#include "render/render_settings.h"

class ThreadResourcePool;
class HandOffTask;
class RenderCamera;
class FontStore;
class FontRecord;
class ColourIdTable;

// What measuring a text gives: characters that fit, and the size in clip units.
struct GameSettings;

// The one-shot requests that go with a new set of render settings.
struct RenderSettingsRequests {
    bool displayChange = false;
    bool effectReload = false;
    bool qualityReload = false;
};

struct TextMeasure {
    std::uint32_t fitCount = 0;
    float height = 0.0f;
    float width = 0.0f;
};

struct DisplayMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t refreshRate = 0;
    std::uint32_t format = 0;
};

class RenderInterface : public GameStateStatusSink {
public:
    // The update side's handle to one 3D scene object.
    class RenderableObject {
    public:
        RenderableObject(const std::string& typeName, ParameterManager::ParameterGroupPair* pair,
                         const float initialMatrix[16]);
        // Places the object; an object made with an initial transform applies it first.
        void setMatrix(const float matrix[16]);

        const std::string& typeName() const { return typeName_; }
        ParameterManager::ParameterGroupPair* pair() const { return pair_; }
        bool hasInitialTransform() const { return hasInitialTransform_; }
        const float* initialTransform() const { return initialTransform_; }

        std::string renderableClassName;
        std::string folder;
        std::string fileName;
        std::uint32_t meshLoadStage = 0;
        std::uint8_t waiting = 1;
        std::uint8_t destroyed = 0;
        std::uint8_t skeletonByte = 1;

    private:
        std::string typeName_;
        ParameterManager::ParameterGroupPair* pair_;
        MatrixParameter* matrix_ = nullptr;
        Vector3Parameter* initialScale_ = nullptr;
        Vector3Parameter* initialTranslation_ = nullptr;
        Vector4Parameter* initialRotation_ = nullptr;
        MatrixVectorParameter* skeleton_ = nullptr;
        bool hasInitialTransform_ = false;
        float initialTransform_[16] = {};
    };

    // The update side's handle to one UI drawing object.
    class UIObject {
    public:
        // Ready or Refused once the render side took the object; after a save request, Saved or
        // SaveFailed once the render side wrote the file or could not.
        enum Status : std::uint32_t { Ready = 4, Refused = 12, SaveFailed = 16, Saved = 20 };

        UIObject(ParameterManager::ParameterGroupPair* pair, std::string name);
        UIObject(const UIObject&) = delete;
        UIObject& operator=(const UIObject&) = delete;
        // An object made with new lives in the room its pair keeps for it (the render interface's
        // manager keeps one behind every pair): the hand-off reads the two side by side, and a
        // closing screen's objects cost no allocation of their own. The pair outlives its object,
        // so deleting the object only ends it; the room goes with the pair.
        static void* operator new(std::size_t size, ParameterManager::ParameterGroupPair* pair);
        static void operator delete(void* memory, ParameterManager::ParameterGroupPair* pair);
        static void operator delete(void* memory, std::size_t size);

        void setStrings(const std::string& renderableClassName, const std::string& folder, const std::string& fileName);
        void setRenderLayer(std::uint32_t layer);
        // The layer last set on the update side.
        std::uint32_t renderLayer() const;

        const std::string& name() const { return name_; }
        ParameterManager::ParameterGroupPair* pair() const { return pair_; }
        // The image an object made for an image file shows; empty for the others.
        const std::string& renderableClassName() const;
        const std::string& folder() const;
        const std::string& fileName() const;
        std::uint32_t status() const { return status_; }
        void setStatus(std::uint32_t status) { status_ = status; }

    private:
        struct Image {
            std::string renderableClassName;
            std::string folder;
            std::string fileName;
        };

        std::string name_;
        ParameterManager::ParameterGroupPair* pair_;
        // Only objects made for an image file have one: the others stay small.
        std::unique_ptr<Image> image_;
        std::uint32_t status_ = 0;
    };

    // A rectangle of the ground between two corners (x, z), for the render side's tree.
    struct Region {
        float a[2];
        float b[2];
        // Until the render side has taken it.
        std::uint8_t waiting = 1;
        std::uint8_t destroyed = 0;
    };

    struct CameraBlock {
        float view[16];
        float projection[16];
        float eyePosition[3];
        float target[3];
        float lightDirection[3];
        std::uint8_t perspective;
    };

    struct FontMetric {
        std::string name;
        float value;
    };

    RenderInterface(ParameterDescriptionRegistry* registry, ThreadResourcePool* renderPool, std::uint32_t width,
                    std::uint32_t height, const char* workingDirectory);
    ~RenderInterface();
    RenderInterface(const RenderInterface&) = delete;
    RenderInterface& operator=(const RenderInterface&) = delete;

    // Creation and destruction: on the owner (update) thread, or on the hand-off thread while the
    // hand-off runs (input receivers act for the parked update side there). From anywhere else a
    // call is refused: null or nothing, and the first refusal is logged.
    RenderableObject* createRenderObject(const std::string& typeName, const float initialMatrix[16]);
    void destroyRenderObject(RenderableObject* object);
    UIObject* createUIObject(const std::string& typeName);
    UIObject* createTexturedRectObject(const std::string& renderableClassName, const std::string& folder,
                                       const std::string& fileName);
    void destroyUIObject(UIObject* object);
    // Lights: render objects of type "directional_light" or "point_light" (a point light gets
    // "radius", "position" and "colour"), queued for the render side's light list rather than
    // its object list. Refused, logged, for any other type, and before the light types'
    // descriptions are registered (the renderable manager registers them when it starts).
    RenderableObject* createLight(const std::string& typeName);
    void destroyLight(RenderableObject* light);
    // Ground regions between two corners (x, z).
    Region* createRegion(float ax, float az, float bx, float bz);
    void destroyRegion(Region* region);

    void setRenderSettings(std::uint32_t width, std::uint32_t height, std::uint8_t displayChangeRequested,
                           std::uint8_t shadows, std::uint8_t ssao, std::uint8_t effectReloadRequested,
                           std::uint8_t postProcessing, std::uint8_t instancing, std::uint8_t fullScreen,
                           std::uint8_t multisampling, std::uint32_t multisamplingType, std::uint8_t verticalSync,
                           const std::string& textureDetail, const std::string& shadowDetail,
                           const std::string& mainFontName, const std::string& boldFontName,
                           int shadowEpsilonPercentage, std::uint8_t qualityReloadRequested);
    // The same from the player's configuration (size, graphics options, fonts).
    void setRenderSettings(const GameSettings& settings, const RenderSettingsRequests& requests);

    // The hand-off: main thread, update thread parked.
    void swapFrame();
    // Brackets the hand-off on its thread, so that calls made there count as the update side's.
    void beginHandOff();
    void endHandOff();
    // Whether objects were created or destroyed from the hand-off since it began.
    bool objectsChangedInHandOff() const { return objectsChangedInHandOff_; }

    // Fonts and colour ids, read from "Data/fonts/" and "Data/colours/" at construction. The
    // font metrics serve measuring on the update thread; after a change of the update side's
    // screen size they are rebuilt for the new size at the next hand-off.
    void loadFontList();
    void loadFont(std::uint32_t size, std::uint32_t pixelSize, const std::string& name);
    void loadColourIdDatabase();
    const FontRecord* findFontRecord(const std::string& fontKey) const;
    // The keys of the font list's smaller sizes of the same font as fontKey, largest first.
    std::vector<std::string> smallerSizesOfFont(const std::string& fontKey) const;
    // The colour ids for the render thread's text, and the update thread's copy.
    const ColourIdTable& renderColourIds() const { return *renderColourIds_; }
    const ColourIdTable& updateColourIds() const { return *updateColourIds_; }

    // The line-height registry: written by the render thread at every glyph atlas build, read by
    // the update thread's measuring. A key registered again takes the new value.
    void registerFontName(const std::string& name, float value);
    // The registered line height of a font key (clip units), -1 when none.
    float registeredLineHeight(const std::string& name) const;

    // Measuring, update thread (clip units; markup as the text renderable draws it).
    void measureText(TextMeasure& out, const std::string& fontKey, const std::string& text, bool singleLine,
                     float maxWidth) const;
    std::uint32_t countFittingCharacters(const std::string& text, const std::string& fontKey, float maxWidth) const;
    // The raw index before which a click at (x, y) puts the cursor in the text wrapped to boxWidth.
    std::uint32_t letterIndexAtPoint(const std::string& text, const std::string& fontKey, const float topLeft[2],
                                     float boxWidth, float x, float y) const;
    // The pen (x, baseline y) of the character at a raw index in the wrapped text.
    void layoutWrappedText(float out[2], const std::string& text, const std::string& fontKey, const float topLeft[2],
                           float boxWidth, std::uint32_t letterIndex) const;
    // The index at the same x lineDelta wrapped lines up (positive) or down, not above the top.
    std::uint32_t letterIndexAtPointWrapped(const std::string& text, const std::string& fontKey,
                                            const float topLeft[2], float boxWidth, std::uint32_t letterIndex,
                                            std::int32_t lineDelta) const;

    // Where the text renderable last drew the edit cursor (clip units); written on the render
    // thread, read on the update thread.
    void setEditCursorPosition(float x, float y);
    void editCursorPosition(float out[2]) const;

    // The object name a textured rectangle of that image file gets: one asset per image base name.
    static std::string texturedRectName(const std::string& fileName);

    // Thread ownership. Atomic: set on the update thread while the main thread may test it.
    platform::ThreadId ownerThreadId() const { return ownerThreadId_.load(); }
    void setOwnerThreadId(platform::ThreadId id) { ownerThreadId_.store(id); }

    ParameterManager* parameterManager() const { return parameterManager_; }
    ThreadResourcePool* renderPool() const { return renderPool_; }
    const RenderSettings& updateSettings() const { return updateSettings_; }
    RenderSettings& renderSettings() { return renderSettings_; }
    const std::string& workingDirectory() const { return workingDirectory_; }
    const std::string& glyphCharacterSet() const { return glyphCharacterSet_; }
    const std::string& mainFontName() const { return mainFontName_; }
    const std::string& boldFontName() const { return boldFontName_; }

    // Update side: written by the game-state manager after each cycle.
    void setGameStateStatus(std::uint32_t status) override { gameStateStatusUpdate_ = status; }
    std::uint32_t gameStateStatusForRender() const { return gameStateStatusRender_; }
    std::uint32_t renderStateStatusForUpdate() const { return renderStateStatusUpdate_; }
    std::uint32_t loadingProgressForUpdate() const { return loadingProgressUpdate_; }
    const std::string& renderStateNameForUpdate() const { return renderStateNameUpdate_; }
    float sceneHeightFractionForUpdate() const { return sceneHeightFractionUpdate_; }
    void setUpdateSideReady(bool ready) { updateSideReadyUpdate_ = ready ? 1 : 0; }
    void setHandOverAllowed(bool allowed) { handOverAllowedUpdate_ = allowed ? 1 : 0; }
    // A scene change: the render paths file of the scene to load next.
    void requestSceneChange(const std::string& sceneName);

    // Render side.
    void setRenderStateName(const std::string& name) { renderStateNameRender_ = name; }
    const std::string& renderStateName() const { return renderStateNameRender_; }
    void publishRenderStateStatus(std::uint32_t status) { renderStateStatusRender_ = status; }
    std::uint32_t publishedRenderStateStatus() const { return renderStateStatusRender_; }
    void setLoadingProgress(std::uint32_t percent) { loadingProgressRender_ = percent; }
    void setSceneHeightFraction(float fraction) { sceneHeightFractionRender_ = fraction; }
    bool updateSideReadyForRender() const { return updateSideReadyRender_ != 0; }
    bool handOverAllowedForRender() const { return handOverAllowedRender_ != 0; }
    // Taken by the frame hand-off: true once per raised request.
    bool takeSceneChangeRequest();
    const std::string& sceneName() const { return sceneName_; }
    void setSceneName(const std::string& name) { sceneName_ = name; }
    std::uint32_t shaderLevel() const { return shaderLevel_; }
    void setShaderLevel(std::uint32_t level) { shaderLevel_ = level; }

    // Hand-off tasks: registered by update-side code, run at every swap while they want to.
    void addHandOffTask(HandOffTask* task) { tasksToAdd_.push_back(task); }
    void removeHandOffTask(HandOffTask* task) { tasksToRemove_.push_back(task); }

    // Queues: filled by the update side, drained by the render states inside the hand-off.
    std::list<RenderableObject*>& objectsToAdd() { return objectsToAdd_; }
    std::list<RenderableObject*>& meshObjectsToLoad() { return meshObjectsToLoad_; }
    std::list<RenderableObject*>& objectsToDelete() { return objectsToDelete_; }
    std::list<UIObject*>& uiObjectsToAdd() { return uiObjectsToAdd_; }
    std::list<UIObject*>& texturedRectsToAdd() { return texturedRectsToAdd_; }
    std::vector<UIObject*>& uiObjectsToDelete() { return uiObjectsToDelete_; }
    const OrderedPointerSet<UIObject>& liveUIObjects() const { return liveUIObjects_; }
    const std::multimap<std::string, RenderableObject*>& liveObjects() const { return liveObjects_; }
    // The render side takes from the to-add lists and frees what the to-delete lists hold.
    std::list<RenderableObject*>& lightsToAdd() { return lightsToAdd_; }
    std::list<RenderableObject*>& lightsToDelete() { return lightsToDelete_; }
    const std::list<RenderableObject*>& liveLights() const { return liveLights_; }
    std::list<Region*>& regionsToAdd() { return regionsToAdd_; }
    std::list<Region*>& regionsToDelete() { return regionsToDelete_; }
    const std::list<Region*>& liveRegions() const { return liveRegions_; }

    std::vector<DisplayMode>& displayModes() { return displayModes_; }
    std::vector<DisplayMode>& distinctResolutions() { return distinctResolutions_; }

    CameraBlock& cameraBlock() { return cameraBlock_; }
    // The camera whose view the hand-off copies into the camera block (not owned); the update
    // side sets it, and its shutdown clears it.
    void setActiveCamera(RenderCamera* camera) { activeCamera_ = camera; }
    RenderCamera* activeCamera() const { return activeCamera_; }

    // Lightmap requests (see swapFrame).
    std::uint8_t lightmapToggleRequest = 0;
    std::uint8_t lightmapToggle = 0;
    std::uint8_t lightmapDelayedRebuildRequest = 0;
    std::uint8_t lightmapRebuildRequest = 0;
    std::uint8_t lightmapRebuild = 0;

    // The vertex query: the update side asks for an asset's vertices, the render side answers.
    std::uint8_t vertexQueryRequest = 0;
    std::uint8_t vertexQueryReady = 0;
    std::string vertexQueryAssetName;
    std::vector<std::array<float, 3>> vertexQueryPoints;
    std::vector<std::uint32_t> vertexQueryIndices;
    std::vector<std::array<float, 3>> vertexQueryPointsRender;
    std::vector<std::uint32_t> vertexQueryIndicesRender;

private:
    std::atomic<platform::ThreadId> ownerThreadId_{0};
    // The thread running the hand-off, 0 outside it.
    std::atomic<platform::ThreadId> handOffThreadId_{0};
    std::atomic<bool> refusalLogged_{false};
    bool objectsChangedInHandOff_ = false;
    // Whether the calling thread may create and destroy objects now; logs the first refusal.
    bool mayChangeObjects();

    std::list<RenderableObject*> objectsToAdd_;
    std::list<RenderableObject*> meshObjectsToLoad_;
    std::list<RenderableObject*> objectsToDelete_;
    std::multimap<std::string, RenderableObject*> liveObjects_;
    std::list<RenderableObject*> lightsToAdd_;
    std::list<RenderableObject*> lightsToDelete_;
    std::list<RenderableObject*> liveLights_;
    std::list<Region*> regionsToAdd_;
    std::list<Region*> regionsToDelete_;
    std::list<Region*> liveRegions_;

    std::list<UIObject*> uiObjectsToAdd_;
    std::list<UIObject*> texturedRectsToAdd_;
    // An array: a closing screen queues thousands, which the render state walks once.
    std::vector<UIObject*> uiObjectsToDelete_;
    // In creation order. Closing a screen destroys thousands at once: each is found by address,
    // in one dense table, and leaves no node to free.
    OrderedPointerSet<UIObject> liveUIObjects_;

    ParameterManager* parameterManager_;
    std::uint8_t sceneChangeRequest_ = 0;
    ThreadResourcePool* renderPool_;
    RenderSettings updateSettings_;
    RenderSettings renderSettings_;
    CameraBlock cameraBlock_;
    RenderCamera* activeCamera_ = nullptr;

    std::uint32_t renderStateStatusRender_ = 0;
    std::uint32_t renderStateStatusUpdate_ = 0;
    std::uint32_t loadingProgressRender_ = 0;
    std::uint32_t loadingProgressUpdate_ = 0;
    std::uint32_t gameStateStatusUpdate_ = 0;
    std::uint32_t gameStateStatusRender_ = 0;

    std::vector<DisplayMode> displayModes_;
    std::vector<DisplayMode> distinctResolutions_;

    std::list<HandOffTask*> tasksToAdd_;
    std::list<HandOffTask*> tasksToRemove_;
    std::list<HandOffTask*> activeTasks_;

    std::uint32_t shaderLevel_ = 3;
    std::string sceneName_;

    std::uint8_t updateSideReadyUpdate_ = 0;
    std::uint8_t updateSideReadyRender_ = 0;
    std::uint8_t handOverAllowedUpdate_ = 0;
    std::uint8_t handOverAllowedRender_ = 0;

    class FontMetricsRefresh;
    void releaseFonts();
    FontStore* fontStore_ = nullptr;
    FontMetricsRefresh* fontMetricsRefresh_ = nullptr;
    ColourIdTable* renderColourIds_ = nullptr;
    ColourIdTable* updateColourIds_ = nullptr;
    // Guards what both threads touch outside the hand-off: the registry and the cursor position.
    mutable std::mutex textSharedMutex_;
    std::list<FontMetric> fontMetrics_;
    std::unordered_map<std::string, FontMetric*> fontMetricIndex_;
    float editCursorPosition_[2] = {0.0f, 0.0f};

    std::string workingDirectory_;
    std::string glyphCharacterSet_;
    std::string renderStateNameRender_;
    std::string renderStateNameUpdate_;
    float sceneHeightFractionRender_ = 0.0f;
    float sceneHeightFractionUpdate_ = 0.0f;
    std::string mainFontName_;
    std::string boldFontName_;
};
