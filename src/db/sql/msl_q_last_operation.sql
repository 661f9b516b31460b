select route.type_operation_msl_id,type_operation_msl.name_operation, msl_.entry from msl_,route,type_operation_msl 
where 
route.type_route_id=:id1 and
msl_.JournalMsl_id=:id2 and
msl_.state_operation=0 and
msl_.route_id=route.route_id and
route.type_operation_msl_id=type_operation_msl.type_operation_msl_id
