// A toroidal coil: a dark powdered-iron core wound with enamelled copper wire, on a studio sweep.
// One scene, three framings, chosen with Declare=View=N on the POV-Ray command line:
//   0  the main window's photograph (landscape, on a table)
//   1  the icon (close up, transparent background)
//   2  the About dialog's photograph (portrait, the coil standing on its edge)
#version 3.7;

#ifndef (View) #declare View = 0; #end

global_settings {
    assumed_gamma 1.0
    max_trace_level 8
}

// --- Dimensions (arbitrary units: the core's mean radius is 1) ----------------------------------
#declare CoreMajor = 1.0;   // mean radius of the ring
#declare CoreMinor = 0.36;  // radius of the ring's cross-section
#declare CoreFlat  = 0.82;  // the cross-section is a little flatter than round
#declare Wire      = 0.055; // radius of the copper wire
#declare Turns     = 24;
#declare WoundArc  = 300;   // degrees of the ring covered by the winding; the rest is bare

// --- Materials ----------------------------------------------------------------------------------
#declare CoreTexture = texture {
    pigment { color rgb <0.09, 0.09, 0.10> }
    normal { granite 0.12 scale 0.05 }
    finish { ambient 0 diffuse 0.55 specular 0.25 roughness 0.04 }
}

#declare Copper = texture {
    pigment { color rgb <0.80, 0.40, 0.17> }
    finish {
        ambient 0 diffuse 0.45 brilliance 2
        specular 0.9 roughness 0.012 metallic
        reflection { 0.18, 0.35 metallic }
    }
}

// --- The coil -----------------------------------------------------------------------------------
#declare Core = torus {
    CoreMajor, CoreMinor
    scale <1, CoreFlat, 1>
    texture { CoreTexture }
}

// One turn: a loop of wire around the core's cross-section, tilted a little along the ring so that
// consecutive turns form a helix.
#declare Pitch = WoundArc / Turns;
#macro Turn(Angle)
    torus {
        CoreMinor + Wire, Wire
        rotate 90 * x                       // the loop stands in the plane of the cross-section
        scale <1, CoreFlat + Wire * 0.5, 1>
        rotate Pitch * 0.35 * y             // helical lead of the turn
        translate CoreMajor * x
        rotate Angle * y
    }
#end

#declare StartAngle = 90 + (360 - WoundArc) / 2;
#declare Winding = union {
    #for (I, 0, Turns - 1)
        Turn(StartAngle + (I + 0.5) * Pitch)
    #end
    // The two leads, leaving the first and the last turn and bending away from the core.
    #for (Side, 0, 1)
        #local A = StartAngle + (Side = 0 ? 0.5 : Turns - 0.5) * Pitch;
        #local Out = vrotate(<CoreMajor + CoreMinor + Wire, 0, 0>, A * y);
        sphere_sweep {
            cubic_spline 4,
            Out - vrotate(<0.3, 0, 0>, A * y), Wire,
            Out, Wire,
            Out + vrotate(<0.35, -0.05, 0>, A * y) + <0, 0, -0.12>, Wire,
            Out + vrotate(<0.9, -0.15, 0>, A * y) + <0, 0, -0.25>, Wire
        }
    #end
    texture { Copper }
}

#declare Coil = union { object { Core } object { Winding } }

// --- Stage --------------------------------------------------------------------------------------
#if (View = 1)
    background { color rgbt <0, 0, 0, 1> }
#else
    // A seamless studio sweep: a floor that curves up into a wall behind the coil.
    union {
        plane { y, -CoreMinor * CoreFlat - Wire * 2 }
        plane { -z, -9 }
        pigment { gradient y color_map { [0 color rgb 0.82] [1 color rgb 0.95] } scale 6 translate -3 * y }
        finish { ambient 0 diffuse 0.75 }
    }
#end

light_source {
    <-3, 6, -5>
    color rgb 1.25
    area_light <1.5, 0, 0>, <0, 0, 1.5>, 5, 5 adaptive 1 jitter circular orient
}
light_source { <5, 3, -2> color rgb 0.35 shadowless }
light_source { <0, 2, 6> color rgb 0.25 shadowless }

// --- Framing ------------------------------------------------------------------------------------
#switch (View)
    #case (0)
        object { Coil rotate -20 * y }
        camera {
            perspective
            location <0, 3.0, -4.6>
            look_at <0.05, -0.15, 0>
            right x * 140 / 108
            angle 44
        }
    #break
    #case (1)
        object { Coil rotate -20 * y }
        camera {
            perspective
            location <0, 3.3, -3.1>
            look_at <0.1, -0.12, 0>
            right x
            angle 45
        }
    #break
    #case (2)
        // Standing on its edge, seen almost face on.
        object { Coil rotate 90 * x rotate 180 * y rotate -15 * y translate <0, CoreMajor + CoreMinor - 0.25, 0> }
        camera {
            perspective
            location <0, 1.5, -5.2>
            look_at <0, 1.0, 0>
            right x * 90 / 134
            angle 42
        }
    #break
#end
