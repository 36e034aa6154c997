// UI text: glyph quads sampled from the glyph atlas (coverage in every channel), coloured per vertex (the
// bottom and top colours of a glyph give a vertical gradient) and written premultiplied. A texel
// without coverage is discarded, which changes no pixel but keeps software GL (llvmpipe) off its
// 8-bit span path, which draws these shaders with squared colours and no alpha.
// SimpleTech is for pixel-snapped text, whose texels land on pixel centres; AnisoTech filters
// text that sits between pixels. RunTech draws snapped lines whole from the run atlas, whose
// texels are already coloured and premultiplied. The atlas view techniques show the atlas
// itself, opaque.

parameter texture gFontTexture;
parameter texture gRunTexture;

sampler2D FontPointSampler {
    texture = gFontTexture;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

sampler2D FontLinearSampler {
    texture = gFontTexture;
    MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

sampler2D RunPointSampler {
    texture = gRunTexture;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

vertex GlyphVS {
in vec3 inPosition;
in vec4 inColour;
in vec2 inTexCoord0;
out vec4 colour;
out vec2 uv;
void main() {
    gl_Position = vec4(inPosition.xy, 0.0, 1.0);
    colour = inColour;
    uv = inTexCoord0;
}
}

fragment PointGlyphFS {
in vec4 colour;
in vec2 uv;
void main() {
    float coverage = texture(FontPointSampler, uv).r * colour.a;
    if (coverage == 0.0) discard;
    outColour = vec4(colour.rgb * coverage, coverage);
}
}

fragment LinearGlyphFS {
in vec4 colour;
in vec2 uv;
void main() {
    float coverage = texture(FontLinearSampler, uv).r * colour.a;
    if (coverage == 0.0) discard;
    outColour = vec4(colour.rgb * coverage, coverage);
}
}

fragment RunFS {
in vec4 colour;
in vec2 uv;
void main() { outColour = texture(RunPointSampler, uv); }
}

fragment PointAtlasFS {
in vec4 colour;
in vec2 uv;
void main() { outColour = vec4(vec3(texture(FontPointSampler, uv).r), 1.0); }
}

fragment LinearAtlasFS {
in vec4 colour;
in vec2 uv;
void main() { outColour = vec4(vec3(texture(FontLinearSampler, uv).r), 1.0); }
}

technique SimpleTech {
    pass P0 { vertex = GlyphVS; fragment = PointGlyphFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}

technique AnisoTech {
    pass P0 { vertex = GlyphVS; fragment = LinearGlyphFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}

technique RunTech {
    pass P0 { vertex = GlyphVS; fragment = RunFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}

technique AtlasViewTech {
    pass P0 { vertex = GlyphVS; fragment = LinearAtlasFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}

technique AtlasViewPointTech {
    pass P0 { vertex = GlyphVS; fragment = PointAtlasFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}
