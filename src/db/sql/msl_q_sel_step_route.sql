select * from route,type_operation_msl where 
route.type_route_id=:id and 
route.Srun=:step and 
route.type_operation_msl_id=type_operation_msl.type_operation_msl_id
