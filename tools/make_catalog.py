"""Writes the initial workspace data and the developer dumps that reproduce it.

Run from the repository root:  python3 tools/make_catalog.py
Writes resources/XMLK/ (catalogues, state files, Info.txt, the two XML files of the
mod template) and tests/fixtures/catalog/ORG/ (dumps for the catalogue builder), then
checks with a small Python model of the catalogue run that the dumps give the files back.
"""

import os
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
XMLK = os.path.join(ROOT, "resources", "XMLK")
ORG = os.path.join(ROOT, "tests", "fixtures", "catalog", "ORG")
MOD = os.path.join(XMLK, "[Brennwick] Materials", "data", "config")

CRLF = "\r\n"
ZWSP = "\u200b"

# ---------------------------------------------------------------------------
# Product catalogue, in the order the builder writes it (main pass of the game's
# product dump, then the ammunition goods).
#   GUID | German name | icon | category | DLC
# ---------------------------------------------------------------------------
PRODUCTS = """
1010017 | Münzen                  | icon_resource_money_4       |        |
1010190 | Einfluss                | icon_influence              |        |
1010192 | Getreide                | icon_cereals_2              | 11702  |
1010193 | Rindfleisch             | icon_meat_raw               | 11702  |
1010194 | Hopfen                  | icon_hops                   | 11702  |
1010195 | Kartoffeln              | icon_potatoes               | 11702  |
1010196 | Bretter                 | icon_wooden_planks          | 11705  |
1010197 | Wolle                   | icon_wool                   | 11702  |
1010198 | Holz                    | icon_wood_log               | 11702  |
1010199 | Schweine                | icon_pigs                   | 11702  |
1010200 | Fisch                   | icon_fish                   | 11702  |
1010201 | Lehm                    | icon_clay                   | 11701  |
1010202 | Talg                    | icon_tallow                 | 11702  |
1010203 | Mehl                    | icon_flour                  | 11703  |
1010204 | Malz                    | icon_malt                   | 11703  |
1010205 | Arbeitskleidung         | icon_working_cloth          | 11704  |
1010206 | Seife                   | icon_soap_2                 | 11704  |
1010207 | Ziegel                  | icon_bricks                 | 11705  |
1010208 | Brot                    | icon_bread                  | 11704  |
1010209 | Würstchen               | icon_meat_sausage           | 11704  |
1010210 | Bier                    | icon_beer                   | 11704  |
1010211 | Konserven               | icon_canned_goulash         | 11704  |
1010212 | Nähmaschinen            | icon_sewing_machine         | 11704  |
1010213 | Pelzmäntel              | icon_fur_coats              | 11704  |
1010214 | Brillen                 | icon_glasses                | 11704  |
1010215 | Taschenuhren            | icon_pocket_watch           | 11704  |
1010216 | Glühbirnen              | icon_light_bulb             | 11704  |
1010217 | Schnaps                 | icon_schnapps_4             | 11704  |
1010218 | Stahlträger             | icon_beams                  | 11705  |
1010219 | Stahl                   | icon_steel                  | 11703  |
1010220 | Waffen                  | icon_weapons                | 11705  |
1010221 | Schwere Geschütze       | icon_advanced_weaponry      | 11705  |
1010222 | Dynamit                 | icon_dynamite               | 11703  |
1010223 | Dampfmaschinen          | icon_steam_machine          | 11705  |
1010224 | Fenster                 | icon_glass_window_3         | 11705  |
1010225 | Glas                    | icon_glass                  | 11703  |
1010226 | Kohle                   | icon_coal                   | 11701  |
1010227 | Eisen                   | icon_iron                   | 11701  |
1010228 | Segel                   | icon_sail                   | 11705  |
1010229 | Kupfer                  | icon_copper                 | 11701  |
1010230 | Zement                  | icon_cement                 | 11701  |
1010231 | Salpeter                | icon_niter                  | 11701  |
1010232 | Gold                    | icon_gold                   | 11703  |
1010233 | Golderz                 | icon_gold_ore               | 11701  |
1010234 | Quarzsand               | icon_quartz_sand            | 11701  |
1010235 | Schmuck                 | icon_jewelry                | 11704  |
1010236 | Champagner              | icon_champagne              | 11704  |
1010237 | Zigarren                | icon_cigars                 | 11704  |
1010238 | Schokolade              | icon_chocolate              | 11704  |
1010239 | Zucker                  | icon_sugar                  | 11703  |
1010240 | Kakao                   | icon_cocoa                  | 11702  |
1010241 | Tabak                   | icon_tobacco                | 11702  |
1010242 | Zuckerrohr              | icon_cane_sugar_1           | 11702  |
1010243 | Baumwolle               | icon_cotton                 | 11702  |
1010244 | Kautschuk               | icon_caoutchouc             | 11702  |
1010245 | Kaffeebohnen            | icon_coffee_beans           | 11702  |
1010246 | Mais                    | icon_corn                   | 11702  |
1010247 | Alpakawolle             | icon_alpaca_wool            | 11702  |
1010248 | Bananen                 | icon_banana                 | 11702  |
1010249 | Perlen                  | icon_pearls                 | 11702  |
1010250 | Kaffee                  | icon_coffe_cup              | 11704  |
1010251 | Rum                     | icon_rum_barrel             | 11704  |
1010252 | Ponchos                 | icon_poncho                 | 11704  |
1010253 | Tortillas               | icon_burrito                | 11704  |
1010254 | Gebratene Kochbananen   | icon_fried_bananas          | 11704  |
1010255 | Melonenhüte             | icon_bowler_hat             | 11704  |
1010256 | Baumwollstoff           | icon_cotton_fur             | 11703  |
1010257 | Filz                    | icon_felt                   | 11703  |
1010258 | Fischöl                 | icon_fishoil                | 11702  |
1010259 | Pelze                   | icon_fur                    | 11702  |
1010260 | Gulasch                 | icon_goulash_01             | 11703  |
1010261 | Paprika                 | icon_pepper                 | 11702  |
1010262 | Grammophone             | icon_phonographs            | 11704  |
1010263 | Hochräder               | icon_high_wheeler           | 11704  |
1010264 | Dampfwagen              | icon_steam_carriage         | 11704  |
1010265 | Motoren                 | icon_motor                  | 11703  |
1010266 | Fahrgestelle            | icon_chassis                | 11703  |
1010267 | Messing                 | icon_brass                  | 11703  |
1010268 | Intarsien               | icon_inlay                  | 11703  |
1010269 | Kohlefäden              | icon_carbon_filament        | 11703  |
1010270 | Trauben                 | icon_grapes                 | 11702  |
1010271 | Elektrische Kabel       | icon_electric_cable_3       | 11703  |
1010272 | Wandteppiche            | icon_tapestries             | 11704  |
1010273 | Schreibmaschinen        | icon_typewriter             | 11704  |
1010274 | Telefone                | icon_telephones             | 11704  |
1010276 | Lachs                   | icon_fish                   | 11702  |
1010277 | Zimt                    | icon_cinamon                | 11702  |
1010279 | Zinnerz                 | icon_tin_ore                | 11702  |
1010280 | Nandufedern             | icon_nandu_feathers         | 11702  |
1010281 | Nanduleder              | icon_nandu_leather          | 11702  |
1010282 | Schafsmilch             | icon_sheep_milk             | 11702  |
1010283 | Schrott                 | icon_junk                   | 11702  |
1010284 | Minderwertiger Schrott  | icon_junk_inferior          | 11703  |
1010285 | Hochwertiger Schrott    | icon_junk_superior          | 11703  |
1010566 | Erdöl                   | icon_oil                    | 11701  |
24807   | Mist                    | icon_dung                   | 135875 | 24961
24808   | Dünger                  | icon_fertilizer_good        | 135875 | 24961
24809   | Heilkräuter             | icon_herbs_with_flower      | 11702  | 24961
24810   | Herbarien               | icon_herbarium              | 11704  | 24961
535     | Lokale Post             | icon_letter_normal          | 4333   | 24962
536     | Pakete                  | icon_letter_normal          | 4333   | 24962
537     | Übersee-Post            | icon_letter_oversea         | 4333   | 24962
538     | Zugestellte Post        | icon_letter_delivered       | 4333   | 24962
539     | Wertvolle Skizzen       | icon_valuable_sketches_b    | 4333   | 24962
836     | Helium                  | icon_helium                 | 11701  | 24962
840     | Bauxit                  | icon_bauxit                 | 11701  | 24962
841     | Aluminium               | icon_aluminium              | 11703  | 24962
842     | Ballonhüllen            | icon_canopy                 | 11703  | 24962
112694  | Rentierfleisch          | icon_reindeer_meat          | 11702  | 410042
112695  | Robbenfelle             | icon_seal_skin              | 11702  | 410042
112696  | Gänsefedern             | icon_goose_feathers         | 11702  | 410042
112697  | Bärenfelle              | icon_bear_fur               | 11702  | 410042
112698  | Huskys                  | icon_husky                  | 11702  | 410042
112699  | Walöl                   | icon_whale_oil_2            | 11702  | 410042
112700  | Pemmikan                | icon_pemmican               | 11704  | 410042
112701  | Öllampen                | icon_oil_lamps              | 11704  | 410042
112702  | Schlafsäcke             | icon_sleeping_bags          | 11704  | 410042
112703  | Pelzparkas              | icon_fur_parka              | 11704  | 410042
112704  | Schlittengestelle       | icon_sled_frame             | 11703  | 410042
112705  | Hundeschlitten          | icon_sled                   | 11704  | 410042
112706  | Erdgas                  | icon_gas_red                | 11701  | 410042
112707  | Wrackteile              | icon_passage_junk           | 11702  | 410042
114401  | Teff                    | icon_teff_grass             | 11702  | 410071
114402  | Teffmehl                | icon_teff_flour             | 11703  | 410071
114403  | Indigo                  | icon_indigo                 | 11702  | 410071
114404  | Wat                     | icon_wat_stew               | 11704  | 410071
114405  | Hibiskusblüten          | icon_hibiscus_farm          | 11702  | 410071
114406  | Hibiskustee             | icon_hibiscus_tea           | 11704  | 410071
114407  | Leinen                  | icon_linen_farm             | 11702  | 410071
114408  | Leinenstoff             | icon_linen_fabric           | 11703  | 410071
114409  | Ziegenmilch             | icon_goat_milk              | 11702  | 410071
114410  | Lehmziegel              | icon_mud_bricks             | 11705  | 410071
114411  | Keramik                 | icon_ceramics               | 11704  | 410071
114412  | Gewürze                 | icon_spices                 | 11702  | 410071
114413  | Salz                    | icon_salt                   | 11702  | 410071
114414  | Trockenfleisch          | icon_dried_meat             | 11704  | 410071
114415  | Schriften               | icon_scriptures             | 11704  | 410071
114416  | Papyrus                 | icon_paper                  | 11702  | 410071
114417  | Meeresfrüchte           | icon_seafood                | 11702  | 410071
114418  | Tintenfisch             | icon_squid                  | 11702  | 410071
114419  | Bienenwachs             | icon_beeswax                | 11702  | 410071
114420  | Watussi-Rinder          | icon_watusi                 | 11702  | 410071
114421  | Traditionelle Gewänder  | icon_traditional_clothing   | 11704  | 410071
114422  | Wansaholz               | icon_wansa_wood             | 11702  | 410071
114423  | Lack                    | icon_lacquer                | 11703  | 410071
114424  | Pigmente                | icon_pigments               | 11703  | 410071
114426  | Baumharz                | icon_wood_resin             | 11702  | 410071
114428  | Tabakpfeifen            | icon_tobacco_pipes          | 11704  | 410071
114430  | Papier                  | icon_paper                  | 11703  | 410071
114431  | Tinte                   | icon_pigments               | 11703  | 410071
124101  | Souvenirs               | icon_souvenir               | 11704  | 410084
124102  | Eiscreme                | icon_icecream_cone          | 11704  | 410084
124103  | Limonade                | icon_lemonade               | 11704  | 410084
124104  | Zitrusfrüchte           | icon_citrus                 | 11702  | 410084
134101  | Lippenstift             | icon_lipstick               | 11704  | 410085
134102  | Gesichtscreme           | icon_facecreme              | 11704  | 410085
134103  | Shampoo                 | icon_shampoo                | 11704  | 410085
134104  | Pomade                  | icon_pomade                 | 11704  | 410085
134105  | Mahagoniholz            | icon_cherry_wood            | 11702  | 410085
134106  | Billardtische           | icon_billard                | 11704  | 410085
134107  | Bankierslampen          | icon_bankerlamp             | 11704  | 410085
134108  | Sekretäre               | icon_secretary              | 11704  | 410085
134109  | Chesterfield-Sofas      | icon_chesterfield           | 11704  | 410085
134110  | Kirschholz              | icon_cherry_wood            | 11702  | 410085
5390    | Mezcal                  | icon_mezcal                 | 11704  | 24963
5391    | Atole                   | icon_atole                  | 11704  | 24963
5392    | Tabasco-Sauce           | icon_tabasco_sauce          | 11704  | 24963
5393    | Orchideen               | icon_orchid                 | 11702  | 24963
5394    | Jalea                   | icon_jalea                  | 11704  | 24963
5395    | Kokosnüsse              | icon_coconut                | 11702  | 24963
5396    | Zellulose               | icon_cellulose              | 11703  | 24963
5397    | Zelluloid               | icon_celluloid              | 11703  | 24963
5398    | Erze                    | icon_minerals               | 11701  | 24963
5400    | Filmrollen              | icon_film_role              | 11704  | 24963
5401    | Kühlschränke            | icon_refrigerator           | 11704  | 24963
5402    | Staubsauger             | icon_vacuumcleaner          | 11704  | 24963
5403    | Gerste                  | icon_cereals_2              | 11702  | 24963
5404    | Motorroller             | icon_scooter                | 11704  | 24963
5405    | Aufzüge                 | icon_elevator               | 11705  | 24963
5407    | Stahlbeton              | icon_reinforced_concrete    | 11705  | 24963
5408    | Waschmittel             | icon_detergent              | 11704  | 24963
5409    | Schmiermittel           | icon_industrial_lubricant_a | 11703  | 24963
5410    | Ethanol                 | icon_ethanol                | 11703  | 24963
5411    | Benzin                  | icon_gasoline               | 11703  | 24963
5412    | Feuerlöscher            | icon_extinguisher           | 11704  | 24963
5413    | Polizeiausrüstung       | icon_police_equipment       | 11704  | 24963
"""

AMMUNITION = """
846 | Bomben       | icon_dropgood_bomb_b
847 | Seeminen     | icon_dropgood_seamines
848 | Flugblätter  | icon_dropgood_pamphlets
849 | Hilfspakete  | icon_dropgood_care_packages
850 | Löschwasser  | icon_dropgood_water
"""

# ---------------------------------------------------------------------------
# Production buildings, in the order of Target.xml: template buildings by template
# (list below) and document order, then the derived buildings by base.
#   GUID | German name | icon | region | template or "<" base GUID |
#   AssociatedRegions ("" = usual value of the region, "-" = none) |
#   internal name ("" = made from the icon, "-" = none) |
#   icon in the dump ("" = the row's icon for templates, none for derived; "-" = none)
# "~" in a name stands for a zero-width space (a line break hint after a hyphen).
# ---------------------------------------------------------------------------
TEMPLATES = ["FactoryBuilding7", "FarmBuilding", "FreeAreaBuilding",
             "FactoryBuilding7_Arctic", "FarmBuilding_Arctic", "FreeAreaBuilding_Arctic"]

BUILDINGS = """
1010278 | Fischerei              | icon_fish                 | 1 | FactoryBuilding7        |          |                         |
100451  | Sägewerk               | icon_wooden_planks        | 1 | FactoryBuilding7        |          |                         |
100410  | Schnapsbrennerei       | icon_schnapps_4           | 1 | FactoryBuilding7        | -        |                         |
100411  | Weberei                | icon_working_cloth        | 1 | FactoryBuilding7        |          |                         |
100412  | Metzgerei              | icon_meat_sausage         | 1 | FactoryBuilding7        |          |                         |
100413  | Bäckerei               | icon_bread                | 1 | FactoryBuilding7        |          |                         |
100414  | Brauerei               | icon_beer                 | 1 | FactoryBuilding7        |          |                         |
100415  | Getreidemühle          | icon_flour                | 1 | FactoryBuilding7        |          |                         |
100416  | Mälzerei               | icon_malt                 | 1 | FactoryBuilding7        | -        |                         |
100417  | Schlachthof            | icon_tallow               | 1 | FactoryBuilding7        |          |                         |
100418  | Seifensiederei         | icon_soap_2               | 1 | FactoryBuilding7        |          |                         |
100419  | Ziegelei               | icon_bricks               | 1 | FactoryBuilding7        |          |                         |
100420  | Stahlwerk              | icon_beams                | 1 | FactoryBuilding7        |          |                         |
100421  | Hochofen               | icon_steel                | 1 | FactoryBuilding7        |          |                         |
100422  | Waffenschmiede         | icon_weapons              | 1 | FactoryBuilding7        |          |                         |
100423  | Kanonengießerei        | icon_advanced_weaponry    | 1 | FactoryBuilding7        |          |                         |
100424  | Dynamitfabrik          | icon_dynamite             | 1 | FactoryBuilding7        |          |                         |
100425  | Glashütte              | icon_glass                | 1 | FactoryBuilding7        |          |                         |
100426  | Fensterfabrik          | icon_glass_window_3       | 1 | FactoryBuilding7        |          |                         |
100427  | Messinghütte           | icon_brass                | 1 | FactoryBuilding7        |          |                         |
100428  | Brillenmacherei        | icon_glasses              | 1 | FactoryBuilding7        |          |                         |
100429  | Uhrmacherei            | icon_pocket_watch         | 1 | FactoryBuilding7        |          |                         |
100430  | Goldschmiede           | icon_jewelry              | 1 | FactoryBuilding7        |          |                         |
100431  | Nähmaschinenfabrik     | icon_sewing_machine       | 1 | FactoryBuilding7        |          |                         |
100432  | Kürschnerei            | icon_fur_coats            | 1 | FactoryBuilding7        |          |                         |
100433  | Konservenfabrik        | icon_canned_goulash       | 1 | FactoryBuilding7        |          |                         |
100434  | Großküche              | icon_goulash_01           | 1 | FactoryBuilding7        | moderate |                         |
100435  | Motorenfabrik          | icon_motor                | 1 | FactoryBuilding7        |          |                         |
100436  | Hochradwerkstatt       | icon_high_wheeler         | 1 | FactoryBuilding7        |          |                         |
100437  | Grammophonfabrik       | icon_phonographs          | 1 | FactoryBuilding7        |          |                         |
100438  | Dampfwagenfabrik       | icon_steam_carriage       | 1 | FactoryBuilding7        |          |                         |
100439  | Fahrgestellwerk        | icon_chassis              | 1 | FactoryBuilding7        |          |                         |
100441  | Glühbirnenfabrik       | icon_light_bulb           | 1 | FactoryBuilding7        |          |                         |
100442  | Segelweberei           | icon_sail                 | 1 | FactoryBuilding7        |          |                         |
100443  | Sektkellerei           | icon_champagne            | 1 | FactoryBuilding7        |          |                         |
1010561 | Ölraffinerie           | icon_oil                  | 1 | FactoryBuilding7        |          |                         | icon_oil_refinery
101250  | Rumbrennerei           | icon_rum_barrel           | 2 | FactoryBuilding7        |          |                         |
101251  | Zuckerraffinerie       | icon_sugar                | 2 | FactoryBuilding7        |          |                         |
101252  | Schokoladenfabrik      | icon_chocolate            | 2 | FactoryBuilding7        | -        |                         |
101253  | Zigarrenfabrik         | icon_cigars               | 2 | FactoryBuilding7        |          |                         |
101254  | Kaffeerösterei         | icon_coffe_cup            | 2 | FactoryBuilding7        |          |                         |
101255  | Ponchoweberei          | icon_poncho               | 2 | FactoryBuilding7        |          |                         |
101256  | Tortillaküche          | icon_burrito              | 2 | FactoryBuilding7        |          |                         |
101257  | Kochbananenküche       | icon_fried_bananas        | 2 | FactoryBuilding7        | COLONY01 |                         |
101258  | Hutmacherei            | icon_bowler_hat           | 2 | FactoryBuilding7        |          |                         |
101259  | Baumwollweberei        | icon_cotton_fur           | 2 | FactoryBuilding7        |          |                         |
101262  | Filzfabrik             | icon_felt                 | 2 | FactoryBuilding7        |          |                         |
101263  | Fischölfabrik          | icon_fishoil              | 2 | FactoryBuilding7        | -        |                         |
835     | Alu-Schmelzhütte       | icon_aluminium            | 2 | FactoryBuilding7        |          |                         |
101270  | Mezcal-~Brennerei      | icon_mezcal               | 2 | FactoryBuilding7        |          |                         |
101271  | Atole-~Küche           | icon_atole                | 2 | FactoryBuilding7        |          |                         |
101272  | Tabasco-~Fabrik        | icon_tabasco_sauce        | 2 | FactoryBuilding7        |          |                         |
101273  | Jaleaküche             | icon_jalea                | 2 | FactoryBuilding7        |          |                         |
101274  | Ballonhüllennäherei    | icon_canopy               | 2 | FactoryBuilding7        |          |                         |
101275  | Zelluloidfabrik        | icon_celluloid            | 2 | FactoryBuilding7        |          |                         |
101276  | Zellulosefabrik        | icon_cellulose            | 2 | FactoryBuilding7        |          |                         |
101277  | Filmstudio             | icon_film_role            | 2 | FactoryBuilding7        |          |                         |
101296  | Intarsienwerkstatt     | icon_inlay                | 2 | FactoryBuilding7        |          |                         | icon_marquetry_workshop
118725  | Keramikwerkstatt       | icon_ceramics             | 4 | FactoryBuilding7        |          |                         |
118700  | Teffmühle              | icon_teff_flour           | 4 | FactoryBuilding7        | Colony02 |                         |
118701  | Wat-~Küche             | icon_wat_stew             | 4 | FactoryBuilding7        |          |                         |
118702  | Teehaus                | icon_hibiscus_tea         | 4 | FactoryBuilding7        | -        | Colony02 Tea House      |
118703  | Leinenweberei          | icon_linen_fabric         | 4 | FactoryBuilding7        |          |                         |
118704  | Lehmziegelei           | icon_mud_bricks           | 4 | FactoryBuilding7        |          |                         |
118705  | Salzwerk               | icon_salt                 | 4 | FactoryBuilding7        |          |                         |
118706  | Trockenfleischerei     | icon_dried_meat           | 4 | FactoryBuilding7        | Colony02 |                         |
118707  | Schreibstube           | icon_scriptures           | 4 | FactoryBuilding7        |          |                         |
118708  | Tintenmacherei         | icon_pigments             | 4 | FactoryBuilding7        |          |                         |
118709  | Schneiderei            | icon_traditional_clothing | 4 | FactoryBuilding7        |          |                         |
118710  | Lackfabrik             | icon_lacquer              | 4 | FactoryBuilding7        | -        |                         |
118711  | Pigmentfabrik          | icon_pigments             | 4 | FactoryBuilding7        |          |                         |
118712  | Papiermühle            | icon_paper                | 4 | FactoryBuilding7        |          |                         |
118713  | Pfeifenschnitzerei     | icon_tobacco_pipes        | 4 | FactoryBuilding7        |          |                         |
100460  | Getreidefarm           | icon_cereals_2            | 1 | FarmBuilding            |          |                         |
100461  | Schaffarm              | icon_wool                 | 1 | FarmBuilding            |          |                         |
100462  | Kartoffelhof           | icon_potatoes             | 1 | FarmBuilding            | -        |                         |
100463  | Schweinefarm           | icon_pigs                 | 1 | FarmBuilding            |          |                         |
100464  | Hopfenplantage         | icon_hops                 | 1 | FarmBuilding            |          |                         |
100465  | Rinderfarm             | icon_meat_raw             | 1 | FarmBuilding            |          |                         |
100466  | Weinberg               | icon_grapes               | 1 | FarmBuilding            |          |                         |
100467  | Paprikafarm            | icon_pepper               | 1 | FarmBuilding            |          |                         |
101280  | Zuckerrohrplantage     | icon_cane_sugar_1         | 2 | FarmBuilding            |          |                         |
101281  | Tabakplantage          | icon_tobacco              | 2 | FarmBuilding            | -        |                         |
101282  | Baumwollplantage       | icon_cotton               | 2 | FarmBuilding            |          |                         |
101283  | Kakaoplantage          | icon_cocoa                | 2 | FarmBuilding            |          |                         |
101284  | Kaffeeplantage         | icon_coffee_beans         | 2 | FarmBuilding            |          |                         |
101285  | Kautschukplantage      | icon_caoutchouc           | 2 | FarmBuilding            |          |                         |
101286  | Maisfarm               | icon_corn                 | 2 | FarmBuilding            |          |                         |
101287  | Alpakafarm             | icon_alpaca_wool          | 2 | FarmBuilding            |          |                         |
101288  | Bananenplantage        | icon_banana               | 2 | FarmBuilding            |          |                         |
101289  | Orchideengärtnerei     | icon_orchid               | 2 | FarmBuilding            |          |                         |
101290  | Kokosplantage          | icon_coconut              | 2 | FarmBuilding            |          |                         |
118714  | Teff-~Plantage         | icon_teff_grass           | 4 | FarmBuilding            |          |                         |
118715  | Indigofarm             | icon_indigo               | 4 | FarmBuilding            | -        |                         |
118716  | Hibiskusfarm           | icon_hibiscus_farm        | 4 | FarmBuilding            |          |                         |
118717  | Leinenfarm             | icon_linen_farm           | 4 | FarmBuilding            |          |                         |
118718  | Ziegenfarm             | icon_goat_milk            | 4 | FarmBuilding            | Colony02 |                         |
118719  | Gewürzfarm             | icon_spices               | 4 | FarmBuilding            |          |                         |
118720  | Imkerei                | icon_beeswax              | 4 | FarmBuilding            |          |                         |
118721  | Watussi-~Ranch         | icon_watusi               | 4 | FarmBuilding            |          |                         |
100470  | Holzfällerhütte        | icon_wood_log             | 1 | FreeAreaBuilding        |          |                         |
100471  | Jagdhütte              | icon_fur                  | 1 | FreeAreaBuilding        |          |                         |
100472  | Lehmgrube              | icon_clay                 | 1 | FreeAreaBuilding        |          |                         |
100473  | Kohlemine              | icon_coal                 | 1 | FreeAreaBuilding        |          |                         |
100474  | Eisenmine              | icon_iron                 | 1 | FreeAreaBuilding        |          |                         |
100475  | Kupfermine             | icon_copper               | 1 | FreeAreaBuilding        |          |                         |
101291  | Perlenfarm             | icon_pearls               | 2 | FreeAreaBuilding        |          |                         |
101292  | Goldmine               | icon_gold_ore             | 2 | FreeAreaBuilding        |          |                         |
101293  | Bauxitmine             | icon_bauxit               | 2 | FreeAreaBuilding        |          |                         |
101294  | Heliumextraktor        | icon_helium               | 2 | FreeAreaBuilding        | -        |                         |
101295  | Erzmine                | icon_minerals             | 2 | FreeAreaBuilding        |          |                         |
118722  | Wansaholzfällerei      | icon_wansa_wood           | 4 | FreeAreaBuilding        |          |                         |
118723  | Tintenfischfang        | icon_squid                | 4 | FreeAreaBuilding        | -        | Africa Squid Fishery    |
112680  | Schlittenstation       | icon_sled                 | 3 | FactoryBuilding7_Arctic |          |                         |
112670  | Pemmikanküche          | icon_pemmican             | 3 | FactoryBuilding7_Arctic |          |                         |
112671  | Öllampenfabrik         | icon_oil_lamps            | 3 | FactoryBuilding7_Arctic | -        |                         |
112672  | Schlafsacknäherei      | icon_sleeping_bags        | 3 | FactoryBuilding7_Arctic |          |                         |
112673  | Parka-~Manufaktur      | icon_fur_parka            | 3 | FactoryBuilding7_Arctic |          |                         |
112674  | Schlittenbauerei       | icon_sled_frame           | 3 | FactoryBuilding7_Arctic |          |                         |
112675  | Walfangstation         | icon_whale_oil_2          | 3 | FactoryBuilding7_Arctic |          |                         |
112676  | Huskyfarm              | icon_husky                | 3 | FarmBuilding_Arctic     |          |                         |
112677  | Gänsezucht             | icon_goose_feathers       | 3 | FarmBuilding_Arctic     | -        |                         |
112690  | Gasförderstätte        | icon_gas_red              | 3 | FreeAreaBuilding_Arctic |          |                         |
112678  | Robbenjagdhütte        | icon_seal_skin            | 3 | FreeAreaBuilding_Arctic |          |                         |
112679  | Rentierjägerhütte      | icon_reindeer_meat        | 3 | FreeAreaBuilding_Arctic |          |                         |
112681  | Bärenjägerhütte        | icon_bear_fur             | 3 | FreeAreaBuilding_Arctic |          |                         |
112682  | Wrackbergung           | icon_passage_junk         | 3 | FreeAreaBuilding_Arctic |          |                         |
112683  | Kohlemine              | icon_coal                 | 3 | FreeAreaBuilding_Arctic |          |                         |
101264  | Fischerei              | icon_fish                 | 2 | <1010278                | Moderate;Colony01 |                |
101261  | Sägewerk               | icon_wooden_planks        | 2 | <100451                 | -        | Colony01 Sawmill        | icon_wood_log
101268  | Ziegelei               | icon_bricks               | 2 | <100419                 | -        | -                       |
101265  | Segelweberei           | icon_sail                 | 2 | <100442                 |          |                         |
112685  | Holzfällerhütte        | icon_wood_log             | 3 | <100470                 |          |                         |
101260  | Holzfällerhütte        | icon_wood_log             | 2 | <100470                 | -        | Colony01 Lumberjack Hut |
"""

# Building GUIDs the builder drops; some of them stand in the dump.
DELETED_BUILDINGS_IN_DUMP = [
    # GUID, template or "<" base, region, internal name
    ("24055", "FactoryBuilding7", 1, "Moderate Production Test"),
    ("7319", "FarmBuilding", 1, "Moderate Farm Tutorial"),
    ("100806", "FreeAreaBuilding", 1, "Moderate Quarry Tutorial"),
    ("668", "FactoryBuilding7", 2, "Colony01 Factory Scenario"),
    ("269850", "FactoryBuilding7_Arctic", 3, "Arctic Factory Scenario"),
    ("24836", "<1010278", 1, "Moderate Fishery Campaign"),
    ("101303", "<100470", 2, "Colony01 Lumberjack Campaign"),
]

# German text table entries that differ from the catalogue name (markup, colons) or
# that the fixed names replace; None: the text table has no entry.
PRODUCT_TEXTS = {
    "535": "Lokale:Post",
    "537": "Übersee-<br/>Post",
    "1010221": "Schwere<BR/> Geschütze",
    "1010254": "Gebratene <Br/>Kochbananen",
    "1010283": "Schrott<br/>",
    "1010285": "Hochwertiger:Schrott",
    "848": "Flug<bR/>blätter",
}
BUILDING_TEXTS = {
    "835": "Aluminium-" + ZWSP + "Schmelzhütte",
    "112690": "Erdgasförderstätte",
    "112680": None,
}

PRODUCT_DELETE_LIST = (
    "114433 114427 114429 269751 24863 1591 1955 25073 917 24187 135108 135107 135109 "
    "1010355 1010356 120050 1010348 1010052 1010115 1010116 1010117 1010128 1010366 "
    "1010367 120020 1010349 1010350 1010351 1010352 1010353 1010354 132723 133891 132751 "
    "132754 132755 133573 601485 133535 355 134257 132761 133536 134781 137757 114340 "
    "114341 124478 114355 114361 114362 114425 120022 112653 112654 112708 112693 114890 "
    "120021 24846 24850 24851 24821 24824 24837 25546 2038 24320 5831 5830 6261 6262 6263 "
    "6265 6360 5406 5399 24852 5387 135816 135876 135877 135878 135879 135880 135881 "
    "135882 135883 135884 135885 135886 135887 135888 135889").split()
MINERALS = "836 1010226 1010227 1010229 1010230 1010231 1010233 1010234 1010566 112706 5398 840 1010201".split()
BUILDING_DELETE_LIST = (
    "24055 24110 24116 24117 24118 24119 24120 24121 24122 24123 24124 24125 24126 24127 "
    "24128 24129 24130 24133 24134 24135 24136 24137 24836 101303 24844 269850 270044 "
    "269951 269851 24825 24820 24856 24857 7319 100806 668").split()
FIXED_ICONS = {"101260": "icon_wood_log", "101268": "icon_bricks", "101261": "icon_wooden_planks",
               "101265": "icon_sail", "101296": "icon_inlay", "1010561": "icon_oil"}
FIXED_NAMES = {"835": "Alu-Schmelzhütte", "112690": "Gasförderstätte", "112680": "Schlittenstation"}

SESSIONS = [("11701", "Bodenschätze"), ("11702", "Rohstoff"), ("11703", "Zwischenprodukt"),
            ("11704", "Markt"), ("11705", "Baumaterial"), ("410042", "Die Passage"),
            ("410071", "Land der Löwen"), ("410084", "Reisezeit"), ("410085", "Dächer der Stadt"),
            ("24961", "Keim der Hoffnung"), ("24962", "Reich der Lüfte"),
            ("24963", "Aufstieg der neuen Welt")]
ITEM_IDS = [str(2000502230 + 2 * n) for n in range(6)]

# Info.txt: one entry per line, "" for the empty line between paragraphs.
INFO_LINES = [
    "Mit Brennwick erstellen Sie bis zu sechs Items. Jedes Item lässt ein von Ihnen gewähltes "
    "Produktionsgebäude in der gewählten Region zusätzlich zu seiner normalen Produktion weitere "
    "Waren Ihrer Wahl erzeugen.",
    "Das Programm richtet sich vor allem an Entwickler von Modifikationen, die beim Testen ihrer "
    "Modifikationen bestimmte Waren in ausreichender Menge benötigen. Es kann aber auch in ganz "
    "normalen Spielen verwendet werden.",
    "",
    "Alle Items können beim Händler Eli Blackworth gekauft werden. Damit die Items eingesetzt "
    "werden können, steht bereits ab der Bevölkerungsstufe der Bauern eine Handelskammer als "
    "Gebäudeoption zur Verfügung.",
    "",
    "Ein Klick auf eine der Warenlisten links füllt die Liste der Einzelprodukte. Ein Klick auf "
    "ein Einzelprodukt übernimmt es in die Produktliste des gewählten Items, ein Klick auf einen "
    "Eintrag der Produktliste entfernt ihn wieder aus dem Item. Die Warenlisten fassen alle "
    "Produkte nach Warenart oder Erweiterung zusammen.",
    "",
    "Mit den Itemnummern I bis VI wählen Sie das Item, das Sie gerade bearbeiten. Die Werte für "
    "Produktmenge und Produktzyklus auf der rechten Seite gelten für alle Items gleichermaßen.",
    "",
    "Die Schaltfläche „Modifikationen erzeugen“ schreibt die fertige Modifikation direkt in den "
    "Mod-Ordner des Spiels. Änderungen an den Modifikationen zeigen erst nach einem erneuten "
    "Spielstart Wirkung.",
    "Das Gebäude für die Handelskammer wählen Sie unten rechts aus.",
    "",
    "Die Items können auch während eines laufenden Spiels geändert werden. Vor dem Beginn eines "
    "neuen Spiels müssen Sie zuerst alle Items vollständig zurücksetzen. Setzen Sie niemals alles "
    "zurück, solange die Daten noch in einem laufenden Spiel verwendet werden, da der "
    "Spielstand sonst unbrauchbar werden kann.",
]

# The mod template shows one generation: slot 1 with two goods for the sawmill.
TEMPLATE_SLOT1 = ["1010205", "1010239"]
TEMPLATE_TARGET = "100451"
TEMPLATE_AMOUNT = "25"
TEMPLATE_CYCLE = "1"
TEMPLATE_TRIGGER = "2000502261"
TEMPLATE_DATE = "15.06.2023 18:13:56"


def table(text):
    return [[c.strip() for c in line.split("|")] for line in text.strip().splitlines()]


def products():
    return [dict(guid=r[0], name=r[1], icon=r[2], cat=r[3], dlc=r[4]) for r in table(PRODUCTS)]


def ammunition():
    return [dict(guid=r[0], name=r[1], icon=r[2]) for r in table(AMMUNITION)]


def buildings():
    rows = []
    for r in table(BUILDINGS):
        r += [""] * (8 - len(r))
        rows.append(dict(guid=r[0], name=r[1].replace("~", ZWSP), icon=r[2], region=int(r[3]),
                         source=r[4], assoc=r[5], orgname=r[6], dumpicon=r[7]))
    return rows


# ---------------------------------------------------------------------------
# Byte writers
# ---------------------------------------------------------------------------
def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def lines_bytes(lines, bom=False):
    return (b"\xef\xbb\xbf" if bom else b"") + "".join(l + CRLF for l in lines).encode("utf-8")


def indent(lines):
    """Indents a list of one-tag-per-line XML lines by nesting depth, one TAB a level."""
    out, depth = [], 0
    for line in lines:
        if line.startswith("</"):
            depth -= 1
        out.append("\t" * depth + line)
        if not (line.startswith(("</", "<!--", "<?")) or line.endswith("/>") or "</" in line):
            depth += 1
    assert depth == 0
    return out


def product_row(guid, name, icon, cat, dlc):
    return ('<Product GUID="%s" Name="%s" Icon="%s" Category="%s" DLC="%s"/>'
            % (guid, name, icon, cat, dlc))


def products_xml(rows):
    return lines_bytes(indent(["<Products>"] + [product_row(*r) for r in rows] + ["</Products>"]))


def target_xml(rows):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<Targets>"]
    lines += ['\t<Target GUID="%s" Name="%s" Icon="%s"  Region="Region%d"/>' % r for r in rows]
    lines.append("</Targets>")
    return lines_bytes(lines, bom=True)


def sessions_xml():
    rows = ['<Session GUID="%s" Name="%s"/>' % s for s in SESSIONS]
    return lines_bytes(indent(["<Sessions>"] + rows + ["</Sessions>"]))


def property_xml():
    rows = ['<Property Name="2000502260"/>', '<Property Name="ProductAmount" Value="25"/>',
            '<Property Name="ProductCycle" Value="1"/>', '<Property Name="Trade" Value="false"/>',
            '<Property Name="Chamber" Value="false"/>']
    rows += ['<Property Name="%s" GUID="100451"/>' % g for g in ITEM_IDS]
    return lines_bytes(indent(["<Properties>"] + rows + ["</Properties>"]))


def empty_item_list():
    return lines_bytes(["<Products/>"])


def info_txt():
    return CRLF.join(INFO_LINES).encode("utf-8")


def assets_xml(names, target_name):
    """The item asset file of one generation with only slot 1 filled."""
    L = ["<!-- Spezial Items für Material Mod -->",
         "<!-- Corvana 1800 Special Material Mod -->",
         "<!-- " + TEMPLATE_DATE + " GU 16.1" + " " * 13 + "-->",
         "<ModOps>", "<!--Erzeugung der Items-->"]
    g = ITEM_IDS[0]
    L += ['<ModOp GUID="190699" Type="addnextSibling">', "<Asset>",
          "<Template>GuildhouseItem</Template>", "<Values>", "<Standard>", "<!-- GUID des Items -->",
          "<GUID>" + g + "</GUID>", "<IconFilename>data\\icon\\Item_1.png</IconFilename>",
          "<InfoDescription>" + str(int(g) + 1) + "</InfoDescription>",
          "</Standard>", "<Text/>", "<Item>", "<MaxStackSize>1</MaxStackSize>",
          "<Rarity>Common</Rarity>", "<ItemType>Specialist</ItemType>",
          "<TradePrice>0</TradePrice>", "<TradePriceOnlineCurrency>0</TradePriceOnlineCurrency>",
          "</Item>", "<FactoryUpgrade>", "<AdditionalOutput>"]
    for guid in TEMPLATE_SLOT1:
        L += ["<Item>", "<!--" + names[guid] + "-->", "<Product>" + guid + "</Product>",
              "<AdditionalOutputCycle>" + TEMPLATE_CYCLE + "</AdditionalOutputCycle>",
              "<Amount>" + TEMPLATE_AMOUNT + "</Amount>", "</Item>"]
    L += ["</AdditionalOutput>", "</FactoryUpgrade>", "<ItemEffect>", "<EffectTargets>", "<Item>",
          "<!-- Zielgebäude -->", "<!-- " + target_name + " -->",
          "<GUID>" + TEMPLATE_TARGET + "</GUID>", "</Item>", "</EffectTargets>", "</ItemEffect>"]
    L += ["<%s/>" % e for e in (
        "ItemAction ExpeditionAttribute CultureUpgrade BuildingUpgrade ModuleOwnerUpgrade "
        "IncidentInfluencerUpgrade IncidentInfectableUpgrade ResidenceUpgrade PopulationUpgrade "
        "IndustrializableUpgrade Locked Buff CraftableItem HeaterUpgrade PowerplantUpgrade "
        "IrrigationUpgrade").split()]
    L += ["</Values>", "</Asset>", "</ModOp>"]
    L += ["<!-- Aktivieren der Items -->", '<ModOp GUID="130216" Type="addNextSibling">', "<Asset>",
          "<Template>Trigger</Template>", "<Values>", "<Standard>",
          "<GUID>" + TEMPLATE_TRIGGER + "</GUID>", "<Name>Aktivierung der Items</Name>",
          "<IconFilename>data/ui/2kimages/main/profiles/resident_tier02.png</IconFilename>",
          "</Standard>", "<Trigger>", "<TriggerCondition>",
          "<Template>ConditionPlayerCounter</Template>", "<Values>", "<Condition/>",
          "<ConditionPlayerCounter>", "<!-- Bauern (nicht ändern!) -->",
          "<PlayerCounter>PopulationByLevel</PlayerCounter>", "<Context>15000000</Context>",
          "<CounterAmount>0</CounterAmount>", "</ConditionPlayerCounter>", "</Values>",
          "</TriggerCondition>", "<TriggerActions>", "<Item>", "<TriggerAction>",
          "<Template>ActionUnlockAsset</Template>", "<Values>", "<Action/>", "<ActionUnlockAsset>"]
    for group in ("UnlockAssets", "UnhideAssets"):
        L.append("<%s>" % group)
        for item in ITEM_IDS:
            L += ["<Item>", "<Asset>" + item + "</Asset>", "</Item>"]
        L.append("</%s>" % group)
    L += ["</ActionUnlockAsset>", "</Values>", "</TriggerAction>", "</Item>", "</TriggerActions>",
          "</Trigger>", "<TriggerSetup>", "<UsedBySecondParties>0</UsedBySecondParties>",
          "</TriggerSetup>", "</Values>", "</Asset>", "</ModOp>"]
    L += ["<!-- Neuen Pool erzeugen, Ergänzung des Handelspools von Eli Blackworth -->",
          '<ModOp Type="add" Path="//Assets[Asset/Values/Standard/GUID=193095]">', "<Asset>",
          "<Template>RewardPool</Template>", "<Values>", "<Standard>", "<!-- PoolID -->",
          "<GUID>2000502450</GUID>", "<Name>Self created Brennwick</Name>", "</Standard>",
          "<RewardPool>", "<ItemsPool>"]
    for item in ITEM_IDS:
        L += ["<Item>", "<ItemLink>" + item + "</ItemLink>", "</Item>"]
    L += ["</ItemsPool>", "</RewardPool>", "<Locked/>", "</Values>", "</Asset>", "</ModOp>"]
    L += ["<!-- ******************************* -->", "<!-- Eli Blackworth GameTime Settings-->",
          "<!-- ******************************* -->", "<!-- Verfügbarkeit in den Spielstufen -->"]
    for pair, weight in (("190167,190168", "100"), ("190304,190305", "75"), ("190306,190774", "50")):
        L += ['<ModOp Type="add" GUID="%s" Path="/Values/RewardPool/ItemsPool">' % pair, "<Item>",
              "<ItemLink>2000502450</ItemLink>", "<Weight>%s</Weight>" % weight, "</Item>", "</ModOp>"]
    L += ["<!-- -->", "<!-- Verfügbarkeit der Items im Verkaufsangebot Eli Blackworth erhöhen -->",
          "<!-- -->"]
    for stage in ("EarlyGame", "EarlyMidGame", "MidGame", "LateMidGame", "LateGame", "EndGame"):
        L += ["<ModOp Type=\"replace\" Path=\"//Asset[Values/Standard/GUID='46']/Values/Trader/"
              "Progression/" + stage + "/MaxItemsToOffer\">",
              "<MaxItemsToOffer>12</MaxItemsToOffer>", "</ModOp>"]
    L += ["<!-- Eli Blackworth-->", "<!-- Kosten für neues Itemwürfeln aufheben -->",
          "<ModOp Type=\"add\" Path=\"//Asset[Values/Standard/GUID='46']/Values/Trader\">",
          "<TraderItemRerollCosts>0</TraderItemRerollCosts>",
          "<TraderItemRerollCostIncrease>0</TraderItemRerollCostIncrease>", "</ModOp>"]
    L.append("</ModOps>")
    return lines_bytes(L[:3] + indent(L[3:]))


def texts_xml(target_name):
    """The item text file of the same generation."""
    g = ITEM_IDS[0]
    L = ["<ModOps>",
         '<ModOp Type="add" Path="/TextExport/Texts">', "<Text>", "<GUID>" + g + "</GUID>",
         "<Text>Materialitem 1</Text>", "</Text>", "</ModOp>",
         '<ModOp Type="add" Path="/TextExport/Texts">', "<Text>",
         "<GUID>" + str(int(g) + 1) + "</GUID>",
         "<Text>Funktionsitem zur zusätzlichen Materialerzeugung im Gebäude : " + target_name + "</Text>",
         "</Text>", "</ModOp>", "</ModOps>"]
    return lines_bytes(indent(L))


# ---------------------------------------------------------------------------
# Developer dumps
# ---------------------------------------------------------------------------
def E(tag, *children, text=None):
    el = ET.Element(tag)
    if text is not None:
        el.text = text
    el.extend(c for c in children if c is not None)
    return el


def serialize(root, declaration=True):
    def esc(s):
        return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")

    lines = ['<?xml version="1.0" encoding="UTF-8"?>'] if declaration else []

    def walk(el, depth):
        pad = "\t" * depth
        if len(el) == 0 and el.text is None:
            lines.append(pad + "<%s/>" % el.tag)
        elif len(el) == 0:
            lines.append(pad + "<%s>%s</%s>" % (el.tag, esc(el.text), el.tag))
        else:
            lines.append(pad + "<%s>" % el.tag)
            for c in el:
                walk(c, depth + 1)
            lines.append(pad + "</%s>" % el.tag)

    walk(root, 0)
    return lines_bytes(lines)


def icon_path(icon, n):
    if n % 7 == 3:
        return "data\\ui\\2kimages\\main\\3dicons\\" + icon + ".png"
    return "data/ui/2kimages/main/3dicons/" + icon + ".png"


GAME_CATEGORIES = {"11704": ["11704", "11705", "11706", "11708", "11709", "11710"],
                   "11701": ["11706", "11702", "11707", "11710"], "11705": ["11707"]}


def product_dump(rows):
    """ORG_Product.xml: the catalogue rows as game assets, with assets of the delete list
    between them; icons and categories equal to the previous asset's are sometimes left out."""
    deleted = {4: "1010052", 12: "120050", 30: "1010355", 31: "1010356", 55: "24863",
               80: "5406", 96: "24846", 99: "269751", 112: "114433", 130: "114340",
               150: "134257", 165: "5399", 175: "135876", 185: "135889"}
    root = E("Assets")
    used = {}
    for n, r in enumerate(rows):
        if n in deleted:
            g = deleted[n]
            root.append(E("Asset", E("Template", text="Product"), E("Values",
                E("Standard", E("GUID", text=g), E("Name", text="unused good " + g),
                  E("IconFilename", text=icon_path("icon_placeholder", n))),
                E("Locked", E("DLCDependency", text="24963")),
                E("Product", E("ProductCategory", text="11707")))))
        prev = rows[n - 1] if n else None
        std = E("Standard", E("GUID", text=r["guid"]), E("Name", text="good " + r["guid"]))
        if r["guid"] == "1010239":
            std.append(E("IconFilename", text=icon_path("icon_sugar_raw", n)))
        elif not (prev and prev["icon"] == r["icon"]):
            std.append(E("IconFilename", text=icon_path(r["icon"], n)))
        values = E("Values", std)
        if r["dlc"]:
            values.append(E("Locked", E("DLCDependency", text=r["dlc"])))
        elif n % 5 == 1:
            values.append(E("Locked"))
        if r["cat"] and not (n >= 2 and prev["cat"] == r["cat"] and n % 4 == 0):
            choices = GAME_CATEGORIES.get(r["cat"], [r["cat"]])
            k = used.get(r["cat"], 0)
            used[r["cat"]] = k + 1
            values.append(E("Product", E("ProductCategory", text=choices[k % len(choices)])))
        elif n % 3 == 0:
            values.append(E("Product", E("StorageLevel", text="1")))
        root.append(E("Asset", E("Template", text="Product"), values))
    return serialize(root)


def ammunition_dump(rows):
    root = E("Assets")
    for n, r in enumerate(rows):
        values = E("Values", E("Standard", E("GUID", text=r["guid"]),
                               E("Name", text="ammunition " + r["guid"]),
                               E("IconFilename", text=icon_path(r["icon"], n))))
        if n == 1:
            values.append(E("Locked", E("DLCDependency", text="410042")))
        if n == 2:
            values.append(E("Product", E("ProductCategory", text="11706")))
        root.append(E("Asset", E("Template", text="ShipAmmunition"), values))
    return serialize(root)


ASSOC = {1: "Moderate", 2: "Colony01", 3: "Arctic", 4: "Africa"}
PREFIX = {1: "", 2: "Colony01 ", 3: "Arctic ", 4: "Africa "}


def internal_name(b):
    if b["orgname"]:
        return None if b["orgname"] == "-" else b["orgname"]
    words = [w.capitalize() for w in b["icon"][5:].split("_") if not w.isdigit()]
    kind = b["source"].split("_")[0]
    kind = {"FarmBuilding": "Farm", "FreeAreaBuilding": "Site"}.get(kind, "Factory")
    return PREFIX[b["region"]] + " ".join(words) + " " + kind


def building_asset(b, n):
    std = E("Standard", E("GUID", text=b["guid"]))
    name = internal_name(b)
    if name is not None:
        std.append(E("Name", text=name))
    derived = b["source"].startswith("<")
    icon = b["dumpicon"] or ("" if derived else b["icon"])
    if icon and icon != "-":
        std.append(E("IconFilename", text=icon_path(icon, n)))
    values = E("Values", std)
    if b["assoc"] == "-":
        values.append(E("Building", E("BuildingType", text="Factory")))
    else:
        values.append(E("Building", E("AssociatedRegions", text=b["assoc"] or ASSOC[b["region"]])))
    if derived:
        return E("Asset", E("BaseAssetGUID", text=b["source"][1:]), values)
    return E("Asset", E("Template", text=b["source"]), values)


def interleave(queues):
    out = []
    while any(queues):
        for q in queues:
            if q:
                out.append(q.pop(0))
    return out


def assets_dump(rows):
    """Assets.xml: buildings in groups by region, the templates of a group mixed, derived
    buildings in a group of their own with the later bases first."""
    extra = []
    for guid, source, region, name in DELETED_BUILDINGS_IN_DUMP:
        extra.append(dict(guid=guid, name="", icon="icon_placeholder", region=region,
                          source=source, assoc="", orgname=name, dumpicon="icon_placeholder"))
    templ = [b for b in rows + extra if not b["source"].startswith("<")]
    derived = [b for b in rows + extra if b["source"].startswith("<")]
    n = 0

    def group(title, members, more=()):
        nonlocal n
        queues = [[b for b in members if b["source"] == t] for t in TEMPLATES]
        assets = []
        for b in interleave(queues):
            n += 1
            assets.append(building_asset(b, n))
        for pos, a in more:
            assets.insert(pos, a)
        return E("Group", E("Name", text=title), E("Assets", *assets))

    products_group = E("Group", E("Name", text="Products"), E("Assets",
        E("Asset", E("Template", text="Product"), E("Values", E("Standard",
            E("GUID", text="1010196"), E("Name", text="Timber"),
            E("IconFilename", text=icon_path("icon_wooden_planks", 0))))),
        E("Asset", E("BaseAssetGUID", text="1010196"), E("Values", E("Standard",
            E("GUID", text="1010198"), E("Name", text="Wood"))))))
    no_standard = E("Asset", E("Template", text="FarmBuilding"), E("Values",
        E("Building", E("AssociatedRegions", text="Moderate"))))
    residence = E("Asset", E("Template", text="Residence7"), E("Values", E("Standard",
        E("GUID", text="1010343"), E("Name", text="Moderate Farmer Residence"),
        E("IconFilename", text=icon_path("icon_house", 1)))))
    groups = [products_group,
              group("Moderate", [b for b in templ if b["region"] == 1], [(5, no_standard), (9, residence)]),
              group("Colony01", [b for b in templ if b["region"] == 2]),
              group("Africa", [b for b in templ if b["region"] == 4]),
              group("Arctic", [b for b in templ if b["region"] == 3])]
    bases = []
    for b in derived:
        if b["source"] not in bases:
            bases.append(b["source"])
    order = sorted(derived, key=lambda b: -bases.index(b["source"]))
    variants = []
    for b in order:
        n += 1
        variants.append(building_asset(b, n))
    variants.append(E("Asset", E("BaseAssetGUID", text="1010343"), E("Values", E("Standard",
        E("GUID", text="1010344"), E("Name", text="Moderate Worker Residence")))))
    groups.append(E("Group", E("Name", text="Regional variants"), E("Assets", *variants)))
    return serialize(E("AssetList", E("Groups", *groups)))


def texts_dump(prods, ammo, blds):
    entries = {}
    for p in prods + ammo:
        entries[p["guid"]] = PRODUCT_TEXTS.get(p["guid"], p["name"])
    for b in blds:
        entries[b["guid"]] = BUILDING_TEXTS.get(b["guid"], b["name"])
    for g in ("1010052", "120050", "24863", "114433", "24055", "7319"):
        entries[g] = "Altes Objekt " + g
    entries["2000502230"] = "Materialitem 1"
    texts = [E("Text", E("GUID", text=g), E("Text", text=t))
             for g, t in sorted(entries.items(), key=lambda e: int(e[0])) if t is not None]
    return serialize(E("TextExport", E("Texts", *texts)))


NEW_XML = b'<?xml version="1.0" encoding="UTF-8"?>\r\n<Buildings/>\r\n'


# ---------------------------------------------------------------------------
# Self-check: the catalogue run on the dumps, as the builder performs it
# ---------------------------------------------------------------------------
def _text(el, path):
    node = el.find(path)
    return None if node is None else (node.text or "")


def _base_name(path):
    name = path.replace("\\", "/").split("/")[-1]
    return name.rsplit(".", 1)[0] if "." in name else name


def _lookup(texts, guid):
    for t in texts.iter("Text"):
        if _text(t, "GUID") == guid and t.find("Text") is not None:
            return t.find("Text").text or ""
    return None


def _remove_listed(root, delete_list):
    for guid in delete_list:
        for asset in root.iter("Asset"):
            if _text(asset, "Values/Standard/GUID") == guid:
                root.remove(asset)
                break


def model_products(org):
    texts = ET.parse(os.path.join(org, "texts_german.xml")).getroot()
    dump = ET.parse(os.path.join(org, "ORG_Product.xml")).getroot()
    _remove_listed(dump, PRODUCT_DELETE_LIST)
    rows, icon, cat, dlc = [], "", "", ""

    def name_of(guid):
        name = _lookup(texts, guid)
        if name is None:
            return "no german"
        low = name.lower()
        while "<br/>" in low:
            i = low.index("<br/>")
            name, low = name[:i] + name[i + 5:], low[:i] + low[i + 5:]
        return name.replace(":", " ")

    for asset in list(dump):
        guid = _text(asset, "Values/Standard/GUID")
        if asset.find("Values/Standard/IconFilename") is not None:
            icon = _base_name(_text(asset, "Values/Standard/IconFilename"))
            if guid == "1010239":
                icon = "icon_sugar"
        dlc = _text(asset, "Values/Locked/DLCDependency") or ""
        if asset.find("Values/Product/ProductCategory") is not None:
            cat = _text(asset, "Values/Product/ProductCategory")
            for old in ("11705", "11706", "11708", "11709", "11710"):
                if cat == old:
                    cat = "11704"
            if guid in MINERALS:
                cat = "11701"
            if cat == "11707":
                cat = "11705"
        rows.append((guid, name_of(guid), icon, cat, dlc))
    for asset in list(ET.parse(os.path.join(org, "Product_Ammunition.xml")).getroot()):
        guid = _text(asset, "Values/Standard/GUID")
        if asset.find("Values/Standard/IconFilename") is not None:
            icon = _base_name(_text(asset, "Values/Standard/IconFilename"))
        rows.append((guid, name_of(guid), icon, "", dlc))
    return rows


def model_targets(org):
    doc = ET.parse(os.path.join(org, "Assets.xml")).getroot()
    texts = ET.parse(os.path.join(org, "texts_german.xml")).getroot()
    listed, guids = [], []
    for template in TEMPLATES:
        for asset in doc.iter("Asset"):
            if _text(asset, "Template") == template and asset.find("Values/Standard") is not None:
                listed.append(asset)
                guids.append(_text(asset, "Values/Standard/GUID"))
    with_base = [a for a in doc.iter("Asset") if a.find("BaseAssetGUID") is not None]
    for guid in guids:
        listed += [a for a in with_base if _text(a, "BaseAssetGUID") == guid]
    merged = E("Buildings", *listed)
    _remove_listed(merged, BUILDING_DELETE_LIST)
    rows, orgname = [], ""
    for b in list(merged):
        guid = _text(b, "Values/Standard/GUID") or ""
        base = _text(b, "BaseAssetGUID") or ""
        icon = "nicht erforderlich"
        if b.find("Values/Standard/IconFilename") is not None:
            icon = _base_name(_text(b, "Values/Standard/IconFilename"))
        else:
            for other in merged:
                if _text(other, "Values/Standard/GUID") == base and \
                        other.find("Values/Standard/IconFilename") is not None:
                    icon = _base_name(_text(other, "Values/Standard/IconFilename"))
                    break
        icon = FIXED_ICONS.get(guid, icon)
        if b.find("Values/Standard/Name") is not None:
            orgname = _text(b, "Values/Standard/Name")
        assoc = _text(b, "Values/Building/AssociatedRegions")
        if assoc is not None:
            words = (("colony01", 2), ("arctic", 3), ("colony02", 4), ("africa", 4))
            probe = assoc.lower()
        else:
            words = (("colony", 2), ("arctic", 3), ("colony02", 4), ("africa", 4))
            probe = orgname.lower()
        region = 1
        for word, r in words:
            if word in probe:
                region = r
        local = _lookup(texts, guid) or ""
        local = FIXED_NAMES.get(guid, local)
        rows.append((guid, local, icon, region))
    return rows


# ---------------------------------------------------------------------------
def check_data(prods, ammo, blds):
    from collections import Counter
    all_products = prods + ammo
    assert len(all_products) == 191 and len({p["guid"] for p in all_products}) == 191
    bad = set('"&<>\':')
    for p in all_products:
        assert not (set(p["name"]) & bad), p
    assert prods[-1]["dlc"] == "24963"
    assert {p["guid"] for p in prods if p["cat"] == "11701"} == set(MINERALS)
    assert not set(PRODUCT_DELETE_LIST) & {p["guid"] for p in all_products}
    assert len(blds) == 134 and len({b["guid"] for b in blds}) == 134
    assert not set(BUILDING_DELETE_LIST) & {b["guid"] for b in blds}
    assert not {b["guid"] for b in blds} & {p["guid"] for p in all_products}
    assert Counter(b["region"] for b in blds) == {1: 50, 2: 43, 3: 16, 4: 25}
    assert sum(ZWSP in b["name"] for b in blds) == 7
    icons = {p["icon"] for p in all_products}
    assert all(b["icon"] in icons for b in blds)
    for b in blds:
        assert not (set(b["name"]) & set('"&<>\'')), b


def main():
    prods, ammo, blds = products(), ammunition(), buildings()
    check_data(prods, ammo, blds)
    product_rows = [(p["guid"], p["name"], p["icon"], p["cat"], p["dlc"]) for p in prods]
    product_rows += [(a["guid"], a["name"], a["icon"], "", prods[-1]["dlc"]) for a in ammo]
    target_rows = [(b["guid"], b["name"], b["icon"], b["region"]) for b in blds]

    files = {
        "Products.xml": products_xml(product_rows),
        "Sessions.xml": sessions_xml(),
        "Property.xml": property_xml(),
        "Target.xml": target_xml(target_rows),
    }
    for g in ITEM_IDS:
        files[g + ".xml"] = empty_item_list()
    for name, data in files.items():
        write(os.path.join(XMLK, name), data)
    info = info_txt()
    assert len(info) == 1753, len(info)
    write(os.path.join(XMLK, "Info.txt"), info)
    names = {p["guid"]: p["name"] for p in prods}
    target_name = {b["guid"]: b["name"] for b in blds}[TEMPLATE_TARGET]
    write(os.path.join(MOD, "export", "main", "asset", "assets.xml"), assets_xml(names, target_name))
    write(os.path.join(MOD, "gui", "texts_german.xml"), texts_xml(target_name))

    write(os.path.join(ORG, "ORG_Product.xml"), product_dump(prods))
    write(os.path.join(ORG, "Product_Ammunition.xml"), ammunition_dump(ammo))
    write(os.path.join(ORG, "Assets.xml"), assets_dump(blds))
    write(os.path.join(ORG, "texts_german.xml"), texts_dump(prods, ammo, blds))
    write(os.path.join(ORG, "new.xml"), NEW_XML)

    model_p = model_products(ORG)
    assert products_xml(model_p) == files["Products.xml"], \
        [(a, b) for a, b in zip(model_p, product_rows) if a != b][:5]
    model_t = model_targets(ORG)
    assert target_xml(model_t) == files["Target.xml"], \
        [(a, b) for a, b in zip(model_t, target_rows) if a != b][:5] or (len(model_t), len(target_rows))
    print("written and checked: %d products, %d targets" % (len(model_p), len(model_t)))


if __name__ == "__main__":
    sys.exit(main())
